"use strict";Object.defineProperty(exports,Symbol.toStringTag,{value:"Module"});const t=["千代田区"],e=JSON.parse('[[1000001,13,0,"読まれない版"]]'),c={c:t,d:e};exports.c=t;exports.d=e;exports.default=c;

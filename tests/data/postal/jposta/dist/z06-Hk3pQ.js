const t = ["札幌市中央区"], c = [[6e5, 1, 0], [600001, 1, 0, "北一条西"], [600002, 1, 0, "北二条西"]], o = {
  c: t,
  d: c
};
export {
  t as c,
  c as d,
  o as default
};

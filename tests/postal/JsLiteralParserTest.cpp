#include "JsLiteralParser.h"
#include "TestNames.h"

#include <QJsonDocument>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2::yubin {
namespace {

/// The arrays assigned in @p source as compact JSON, or "error".
std::string arrays(const char* source)
{
    QString error;
    const auto a = JsLiteralParser::assignedArrays(QString::fromUtf8(source), &error);
    if (!a)
        return "error";
    return QJsonDocument(*a).toJson(QJsonDocument::Compact).toStdString();
}

struct Module
{
    const char* source;
    const char* json;
};

void PrintTo(const Module& c, std::ostream* os)
{
    *os << c.source;
}

class AssignedArrays : public ::testing::TestWithParam<Module>
{
};

TEST_P(AssignedArrays, AreReadAsData)
{
    EXPECT_EQ(arrays(GetParam().source), GetParam().json);
}

const Module kModules[] = {
    Module{"const a = [1, 2], b = [\"x\"];", "[[1,2],[\"x\"]]"},
    Module{"const c = [[11e5, 13, 1], [1100001, 13, 1, \"谷中\"]];",
           "[[[1100000,13,1],[1100001,13,1,\"谷中\"]]]"},
    Module{"const d = [1.5e1, .5, -2, 3E-1];", "[[15,0.5,-2,0.3]]"},
    Module{"const t = [\"a\",],e=[ ];", "[[\"a\"],[]]"},
    Module{"let s = ['it\\'s', \"q\\\"\", '\\u3042\\x41\\u{1F600}', 'a\\\\b', 'l\\\n2'];",
           "[[\"it's\",\"q\\\"\",\"あA😀\",\"a\\\\b\",\"l2\"]]"},
    Module{"const s = '\\uD83D\\uDE00';const x=['\\uD83D\\uDE00'];", "[[\"😀\"]]"},
    Module{"const t = /* @__PURE__ */ JSON.parse('[[1000000,13,4],[1000001,13,4,\"千代田\"]]');",
           "[[[1000000,13,4],[1000001,13,4,\"千代田\"]]]"},
    Module{"const t=JSON.parse('[\"O\\'Brien\",\"\\\\u3042\"]');", "[[\"O'Brien\",\"あ\"]]"},
    Module{"// a = [9]\nconst x = \"b = [8]\", y = 3 == 4 ? [7] : 0, f = (o) => [6]; const z = [5];",
           "[[5]]"},
    Module{"const x = [1,, 2];", "error"}, Module{"const x = [1, 2", "error"},
    Module{"const x = ['open];", "error"}, Module{"const x = [zz];", "error"},
    Module{"const x = JSON.parse('[1,');", "error"}, Module{"const x = ['\\u12'];", "error"},
    Module{"export { a as b };", "[]"}};

INSTANTIATE_TEST_SUITE_P(Literals, AssignedArrays, ::testing::ValuesIn(kModules),
                         ::rov2::test::PrintedName());

} // namespace
} // namespace rov2::yubin

// The one JSON writer: strings that stay valid JSON whatever their bytes, and
// the two layouts that the reports and pages fix byte for byte.
#include "json_writer/json_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using adtlab::JsonWriter;

struct Quoted {
    const char *name;
    std::string raw;
    bool in_script;
    std::string json;
};

class JsonQuoted : public ::testing::TestWithParam<Quoted> {};

TEST_P(JsonQuoted, EscapesWhatWouldBreakTheDocument) {
    EXPECT_EQ(adtlab::json_quoted(GetParam().raw, GetParam().in_script), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonQuoted,
    ::testing::Values(
        Quoted{"quotes_and_controls", "a\"b\\c\n\t\x01", false, R"("a\"b\\c\n\t\u0001")"},
        Quoted{"invalid_utf8_replaced", "x\xC3(\xED\xA0\x80", false,
               "\"x\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        Quoted{"script_end_in_a_page", "</script>&\n", true,
               R"("\u003c/script\u003e\u0026\u000a")"},
        Quoted{"utf8_kept", "\xC3\xA9\xF0\x9F\x98\x80", true, "\"\xC3\xA9\xF0\x9F\x98\x80\""}),
    [](const auto &info) { return std::string(info.param.name); });

// The same values in each layout.
std::string document(JsonWriter::Layout layout) {
    JsonWriter json(layout);
    json.open_object();
    json.key("name").string("a");
    json.key("values").numbers(std::vector<int>{1, -2});
    json.key("rows").open_array(true);
    json.open_object();
    json.key("empty").open_array();
    json.close_array();
    json.close_object();
    json.close_array();
    json.key("none").string_or_null("");
    json.close_object();
    return json.text();
}

TEST(JsonWriter, WritesEachLayout) {
    EXPECT_EQ(document(JsonWriter::Layout::lines), "{\n  \"name\": \"a\",\n  \"values\": [1, -2],\n"
                                                   "  \"rows\": [\n    {\n      \"empty\": []\n"
                                                   "    }\n  ],\n  \"none\": null\n}");
    EXPECT_EQ(document(JsonWriter::Layout::one_line),
              R"({"name": "a", "values": [1, -2], "rows": [{"empty": []}], "none": null})");
}

} // namespace

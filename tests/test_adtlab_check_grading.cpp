// adtlab-check over a class of submissions: each format written from the
// same run, in the order given, a submission that does not build in the
// middle, names that no format may pass through raw, and the statuses.
#include "param_name.h"
#include "process.h"

#include <gtest/gtest.h>

#include <stdlib.h> // mkdtemp
#include <unistd.h> // access

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_program;

// A JSON value, read strictly: nothing but what the grammar allows.
struct Json {
    enum class Type { null, boolean, number, string, array, object } type = Type::null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> items;
    std::map<std::string, Json> members;

    const Json &operator[](const std::string &key) const {
        static const Json absent{Type::null, false, -1, "(absent)", {}, {}};
        auto found = members.find(key);
        return found == members.end() ? absent : found->second;
    }
    bool has(const std::string &key) const { return members.count(key) == 1; }
};

class JsonReader {
  public:
    explicit JsonReader(const std::string &text) : text_(text) {}
    std::optional<Json> document() {
        std::optional<Json> value = read();
        skip_space();
        return at_ == text_.size() ? value : std::nullopt;
    }

  private:
    void skip_space() {
        while (at_ < text_.size() && std::string(" \t\r\n").find(text_[at_]) != std::string::npos) {
            ++at_;
        }
    }
    bool take(const std::string &word) {
        if (text_.compare(at_, word.size(), word) != 0) {
            return false;
        }
        at_ += word.size();
        return true;
    }
    std::optional<std::string> read_string() {
        if (!take("\"")) {
            return std::nullopt;
        }
        std::string out;
        while (at_ < text_.size() && text_[at_] != '"') {
            const unsigned char c = static_cast<unsigned char>(text_[at_++]);
            if (c < 0x20) {
                return std::nullopt;
            }
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            const char e = at_ < text_.size() ? text_[at_++] : '?';
            const std::string plain = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
            if (plain.find(e) != std::string::npos) {
                out += meant[plain.find(e)];
            } else if (e == 'u' && at_ + 4 <= text_.size()) {
                const unsigned long code = std::stoul(text_.substr(at_, 4), nullptr, 16);
                at_ += 4;
                if (code >= 0x80) {
                    return std::nullopt; // the writer escapes only control characters
                }
                out += static_cast<char>(code);
            } else {
                return std::nullopt;
            }
        }
        return take("\"") ? std::optional<std::string>(out) : std::nullopt;
    }
    std::optional<Json> read_number() {
        const std::size_t start = at_;
        take("-");
        const std::size_t digits = at_;
        while (at_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[at_])) ||
                                      std::string(".eE+-").find(text_[at_]) != std::string::npos)) {
            ++at_;
        }
        if (at_ == digits) {
            return std::nullopt;
        }
        Json value{Json::Type::number,
                   false,
                   std::strtod(text_.substr(start).c_str(), nullptr),
                   "",
                   {},
                   {}};
        return value;
    }
    template <typename Item> bool read_list(char close, Item item) {
        skip_space();
        if (take(std::string(1, close))) {
            return true;
        }
        do {
            if (!item()) {
                return false;
            }
            skip_space();
        } while (take(","));
        return take(std::string(1, close));
    }
    std::optional<Json> read() {
        skip_space();
        Json value;
        if (take("null")) {
            return value;
        }
        if (take("true") || take("false")) {
            value.type = Json::Type::boolean;
            value.boolean = text_[at_ - 1] == 'e' && text_[at_ - 2] == 'u';
            return value;
        }
        if (at_ < text_.size() && text_[at_] == '"') {
            std::optional<std::string> text = read_string();
            value.type = Json::Type::string;
            value.string = text.value_or("");
            return text ? std::optional<Json>(value) : std::nullopt;
        }
        if (take("[")) {
            value.type = Json::Type::array;
            const bool read_all = read_list(']', [&] {
                std::optional<Json> item = read();
                value.items.push_back(item.value_or(Json{}));
                return item.has_value();
            });
            return read_all ? std::optional<Json>(value) : std::nullopt;
        }
        if (take("{")) {
            value.type = Json::Type::object;
            const bool read_all = read_list('}', [&] {
                skip_space();
                std::optional<std::string> key = read_string();
                skip_space();
                std::optional<Json> member = key && take(":") ? read() : std::nullopt;
                return member && value.members.emplace(*key, *member).second;
            });
            return read_all ? std::optional<Json>(value) : std::nullopt;
        }
        return read_number();
    }
    const std::string &text_;
    std::size_t at_ = 0;
};

std::string read_file(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "a  b   c" as "a b c": the summary table's columns without their padding.
std::string squeezed(const std::string &text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' || out.empty() || out.back() != ' ') {
            out += c;
        }
    }
    return out;
}

// A folder name no format may pass through raw: a comma, a quote, a
// control character and a byte that is not UTF-8.
const std::string odd_name = "da,\"ve\x01\xff";
const std::string odd_name_utf8 = "da,\"ve\x01\xEF\xBF\xBD";
const std::string odd_name_xml = "da,&quot;ve\xEF\xBF\xBD\xEF\xBF\xBD";

// Each student's folder and the module in tests/ it holds.
using Students = std::vector<std::pair<std::string, std::string>>;

// A class in a temporary folder, by default: conforms, does not build (in
// the middle), fails, crashes.
class Class {
  public:
    explicit Class(const Students &students = {{"alice", "check_modules/left_first_sorts.c"},
                                               {"bob", "check_modules/does_not_build.c"},
                                               {"carol", "check_modules/quick_last_pivot.c"},
                                               {odd_name, "check_modules/insertion_crashes.c"}}) {
        root_ = "/tmp/adtlab-check-class-XXXXXX";
        if (mkdtemp(root_.data()) == nullptr) {
            throw std::runtime_error("no temporary folder");
        }
        for (const auto &[name, file] : students) {
            add(name, file);
            folders_.push_back(root_ + "/" + name);
        }
    }
    ~Class() { fs::remove_all(root_); }
    Class(const Class &) = delete;
    Class &operator=(const Class &) = delete;
    std::vector<std::string> folders() const { return folders_; }
    fs::path report() const { return fs::path(root_) / "report"; }

  private:
    void add(const std::string &name, const std::string &file) {
        fs::create_directory(root_ + "/" + name);
        // A copy: a submission's file that is a link is refused.
        fs::copy_file(fs::path(TESTS_DIR) / file,
                      fs::path(root_) / name / fs::path(file).filename());
    }
    std::string root_;
    std::vector<std::string> folders_;
};

Outcome check(const std::vector<std::string> &options, const std::vector<std::string> &folders) {
    std::vector<std::string> command = {ADTLAB_CHECK, "--seed", "5", "--time-limit", "60"};
    command.insert(command.end(), options.begin(), options.end());
    command.push_back("sorts");
    command.insert(command.end(), folders.begin(), folders.end());
    return run_program(command);
}

void expect_text(const std::string &report) {
    std::size_t last = 0;
    for (const std::string block :
         {"alice\n  selection_sort: conforms",
          "bob\n  does_not_build.c does not build:", "carol\n  selection_sort: missing"}) {
        const std::size_t at = report.find(block);
        EXPECT_TRUE(at != std::string::npos && at >= last) << block << " out of order in\n"
                                                           << report;
        last = at;
    }
    for (const std::string row :
         {"\nsubmission selection_sort insertion_sort quick_sort score\n",
          "\nalice pass pass pass 3/3\n", "\nbob error error error 0/3\n",
          "\ncarol missing missing fail 0/3\n", "error missing 0/3\nseed: 5\nisolation: "}) {
        EXPECT_NE(squeezed(report).find(row), std::string::npos) << row << "\nnot in\n" << report;
    }
}

void expect_csv(const std::string &report) {
    EXPECT_EQ(report, "name,selection_sort,insertion_sort,quick_sort,score,max_score\n"
                      "alice,pass,pass,pass,3,3\n"
                      "bob,error,error,error,0,3\n"
                      "carol,missing,missing,fail,0,3\n"
                      "\"da,\"\"ve\x01\xEF\xBF\xBD\",missing,error,missing,0,3\n");
}

void expect_json(const std::string &report) {
    const std::optional<Json> run = JsonReader(report).document();
    ASSERT_TRUE(run) << "not JSON:\n" << report;
    EXPECT_EQ((*run)["kind"].string, "sorts");
    EXPECT_EQ((*run)["seed"].number, 5);
    EXPECT_EQ((*run)["isolation"].type, Json::Type::string);
    EXPECT_EQ((*run)["limits"]["time_seconds"].number, 60);
    EXPECT_EQ((*run)["limits"]["memory_mib"].number, 512);
    EXPECT_FALSE((*run)["conforms"].boolean);
    const std::vector<Json> &subs = (*run)["submissions"].items;
    ASSERT_EQ(subs.size(), 4u);
    const std::string names[] = {"alice", "bob", "carol", odd_name_utf8};
    const double scores[] = {3, 0, 0, 0};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(subs[k]["name"].string, names[k]);
        EXPECT_EQ(subs[k]["score"].number, scores[k]);
        EXPECT_EQ(subs[k]["max_score"].number, 3);
        EXPECT_EQ(subs[k]["conforms"].boolean, k == 0);
        EXPECT_EQ(subs[k]["build_error"].type, k == 1 ? Json::Type::string : Json::Type::null);
        EXPECT_EQ(subs[k]["output"].type, Json::Type::string);
        ASSERT_EQ(subs[k]["checks"].items.size(), 3u);
        for (const Json &c : subs[k]["checks"].items) {
            for (const char *key :
                 {"name", "status", "points", "max_points", "inputs", "why", "input", "expected",
                  "got", "before", "ending", "ending_kind"}) {
                EXPECT_TRUE(c.has(key)) << key;
            }
        }
    }
    EXPECT_NE(subs[1]["build_error"].string.find("does not build"), std::string::npos);
    const Json &quick = subs[2]["checks"].items[2];
    EXPECT_EQ(quick["status"].string, "fail");
    EXPECT_EQ(quick["points"].number, 0);
    ASSERT_EQ(quick["input"].items.size(), 2u);
    EXPECT_EQ(quick["input"].items[1].number, -2);
    EXPECT_EQ(quick["expected"].string, "goes_before(-2, 2) -> true");
    EXPECT_EQ(quick["got"].string, "goes_before(2, -2) -> false");
    EXPECT_EQ(quick["before"]["comparisons"].number, 0);
    const Json &crash = subs[3]["checks"].items[1];
    EXPECT_EQ(crash["status"].string, "error");
    EXPECT_NE(crash["ending"].string, "");
    EXPECT_EQ(crash["ending"].type, Json::Type::string);
    EXPECT_EQ(crash["ending_kind"].string, "memory_error");
    EXPECT_EQ(quick["ending_kind"].type, Json::Type::null); // a wrong call, not an ending
}

// The number that xmllint finds for `xpath` in `file`.
double xpath_number(const std::string &file, const std::string &xpath) {
    Outcome o = run_program({"/usr/bin/xmllint", "--xpath", "number(" + xpath + ")", file});
    EXPECT_TRUE(o.exited(0)) << xpath << ": " << o.err;
    return std::strtod(o.out.c_str(), nullptr);
}

void expect_junit(const std::string &report) {
    for (const std::string &part : std::vector<std::string>{
             "<testsuite name=\"alice\" tests=\"3\" failures=\"0\" errors=\"0\" time=\"",
             "<testsuite name=\"bob\" tests=\"3\" failures=\"0\" errors=\"3\" time=\"",
             "<testsuite name=\"carol\" tests=\"3\" failures=\"3\" errors=\"0\" time=\"",
             "<testsuite name=\"" + odd_name_xml +
                 "\" tests=\"3\" failures=\"2\" errors=\"1\" time=\"",
             "<testsuites name=\"adtlab-check sorts\" tests=\"12\" failures=\"5\" errors=\"4\" "
             "time=\"",
             "<error message=\"does not build\">", "<failure message=\"does not conform\">"}) {
        EXPECT_NE(report.find(part), std::string::npos) << part << "\nnot in\n" << report;
    }
    // Seconds to the millisecond, on the root and on every suite.
    const std::regex time(R"(<testsuites? [^>]* time="[0-9]+\.[0-9]{3}">)");
    EXPECT_EQ(std::distance(std::sregex_iterator(report.begin(), report.end(), time),
                            std::sregex_iterator()),
              5)
        << report;
    if (access("/usr/bin/xmllint", X_OK) != 0) {
        GTEST_SKIP() << "xmllint is not installed: the XML is not parsed";
    }
    const adtlab::testing::TempFile file(report);
    Outcome parsed = run_program({"/usr/bin/xmllint", "--noout", file.path()});
    EXPECT_TRUE(parsed.exited(0)) << parsed.err;
    for (const std::string attribute : {"tests", "failures", "errors", "time"}) {
        EXPECT_NEAR(xpath_number(file.path(), "/testsuites/@" + attribute),
                    xpath_number(file.path(), "sum(/testsuites/testsuite/@" + attribute + ")"),
                    1e-6)
            << attribute;
    }
    // alice builds and runs every sort: that takes time.
    EXPECT_GT(xpath_number(file.path(), "/testsuites/testsuite[@name='alice']/@time"), 0.001);
}

struct Format {
    const char *what;
    std::function<void(const std::string &)> expect;
};

void PrintTo(const Format &f, std::ostream *os) {
    *os << f.what;
}

class AdtlabCheckFormats : public ::testing::TestWithParam<Format> {};

TEST_P(AdtlabCheckFormats, WritesEverySubmissionInOrder) {
    const Class students;
    Outcome o =
        check({"--jobs", "2", "--format", GetParam().what, "--output", students.report().string()},
              students.folders());
    EXPECT_TRUE(o.exited(1)) << o.out << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "");
    GetParam().expect(read_file(students.report()));
}

INSTANTIATE_TEST_SUITE_P(Class, AdtlabCheckFormats,
                         ::testing::Values(Format{"text", expect_text}, Format{"csv", expect_csv},
                                           Format{"json", expect_json},
                                           Format{"junit", expect_junit}),
                         adtlab::testing::NameFromWhat());

// Two folders named ana, told apart in every format, beside a name with a
// line end, a tab and an escape that the text report spells out.
const std::string control_name = "e\n\tv\x1b[31m";

struct Names {
    const char *what;
    std::vector<std::string> parts; // each in the report
    std::string absent;             // nowhere in it, when not ""
};

// A folder under /tmp, removed with all in it.
class TempFolder {
  public:
    TempFolder() : path_("/tmp/adtlab-check-names-XXXXXX") {
        if (mkdtemp(path_.data()) == nullptr) {
            throw std::runtime_error("no temporary folder");
        }
    }
    ~TempFolder() { fs::remove_all(path_); }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    fs::path path() const { return path_; }

  private:
    std::string path_;
};

void PrintTo(const Names &n, std::ostream *os) {
    *os << n.what;
}

class AdtlabCheckNames : public ::testing::TestWithParam<Names> {};

TEST_P(AdtlabCheckNames, TellsSubmissionsOfOneNameApart) {
    const TempFolder root;
    const fs::path base = root.path();
    const std::pair<std::string, const char *> folders[] = {{"a/ana", "left_first_sorts.c"},
                                                            {"b/ana", "quick_last_pivot.c"},
                                                            {"c/ben", "left_first_sorts.c"},
                                                            {control_name, "left_first_sorts.c"}};
    std::vector<std::string> arguments;
    for (const auto &[folder, file] : folders) {
        fs::create_directories(base / folder);
        fs::copy_file(fs::path(TESTS_DIR) / "check_modules" / file, base / folder / file);
        arguments.push_back((base / folder).string());
    }
    Outcome o = check({"--format", GetParam().what}, arguments);
    EXPECT_TRUE(o.exited(1)) << o.err;
    const std::string report = GetParam().what == std::string("text") ? squeezed(o.out) : o.out;
    for (const std::string &part : GetParam().parts) {
        EXPECT_NE(report.find(part), std::string::npos) << part << "\nnot in\n" << o.out;
    }
    if (!GetParam().absent.empty()) {
        EXPECT_EQ(o.out.find(GetParam().absent), std::string::npos) << o.out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Class, AdtlabCheckNames,
    ::testing::Values(
        Names{"text",
              {"\na/ana pass pass pass 3/3\n", "\nb/ana missing missing fail 0/3\n",
               "\nben pass pass pass 3/3\n", "\ne\\n\\tv\\x1b[31m\n selection_sort: conforms",
               "\ne\\n\\tv\\x1b[31m pass pass pass 3/3\n"},
              "\x1b"},
        Names{"csv",
              {"\na/ana,pass,pass,pass,3,3\n", "\nb/ana,missing,missing,fail,0,3\n", "\nben,pass,"},
              ""},
        Names{"json",
              {"\"name\": \"a/ana\",\n      \"conforms\": true",
               "\"name\": \"b/ana\",\n      \"conforms\": false", "\"name\": \"ben\","},
              ""},
        Names{"junit",
              {"<testsuite name=\"a/ana\" tests=\"3\" failures=\"0\"",
               "<testsuite name=\"b/ana\" tests=\"3\" failures=\"3\"", "<testsuite name=\"ben\" "},
              ""}),
    adtlab::testing::NameFromWhat());

// carol's results.json: every test visible, or with --hide-input a failing
// check's input kept from students and a hidden test of no points for it.
struct GradescopeTest {
    std::string name;
    std::string visibility;
    double max_score;
    std::string output; // a part of its output
};

struct Gradescope {
    const char *what;
    std::vector<std::string> options;
    std::vector<GradescopeTest> tests;
    std::string absent; // in no visible test's output, when not ""
};

void PrintTo(const Gradescope &g, std::ostream *os) {
    *os << g.what;
}

class AdtlabCheckGradescope : public ::testing::TestWithParam<Gradescope> {};

TEST_P(AdtlabCheckGradescope, WritesTheResultsOfOneSubmission) {
    const Class students;
    std::vector<std::string> options = {"--format", "gradescope"};
    options.insert(options.end(), GetParam().options.begin(), GetParam().options.end());
    Outcome o = check(options, {students.folders()[2]});
    EXPECT_TRUE(o.exited(1)) << o.err;
    const std::optional<Json> results = JsonReader(o.out).document();
    ASSERT_TRUE(results) << o.out;
    EXPECT_EQ((*results)["score"].number, 0);
    EXPECT_EQ((*results)["max_score"].number, 3);
    const std::vector<Json> &tests = (*results)["tests"].items;
    ASSERT_EQ(tests.size(), GetParam().tests.size()) << o.out;
    for (std::size_t k = 0; k < tests.size(); ++k) {
        const GradescopeTest &expected = GetParam().tests[k];
        EXPECT_EQ(tests[k]["name"].string, expected.name);
        EXPECT_EQ(tests[k]["visibility"].string, expected.visibility) << expected.name;
        EXPECT_EQ(tests[k]["max_score"].number, expected.max_score) << expected.name;
        EXPECT_EQ(tests[k]["status"].string, "failed") << expected.name;
        const std::string &output = tests[k]["output"].string;
        EXPECT_NE(output.find(expected.output), std::string::npos)
            << expected.name << ": " << output;
        if (expected.visibility == "visible" && !GetParam().absent.empty()) {
            EXPECT_EQ(output.find(GetParam().absent), std::string::npos) << output;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Carol, AdtlabCheckGradescope,
    ::testing::Values(Gradescope{"every input shown",
                                 {},
                                 {{"selection_sort", "visible", 1, "selection_sort: missing\n"},
                                  {"insertion_sort", "visible", 1, "insertion_sort: missing\n"},
                                  {"quick_sort", "visible", 1,
                                   "on (2 values) 2 -2\n  call 1: expected goes_before(-2, 2)"}},
                                 ""},
                      Gradescope{"inputs hidden",
                                 {"--hide-input"},
                                 {{"selection_sort", "visible", 1, "selection_sort: missing\n"},
                                  {"insertion_sort", "visible", 1, "insertion_sort: missing\n"},
                                  {"quick_sort", "visible", 1,
                                   "quick_sort: does not conform\n  on 2 values (hidden)\n"},
                                  {"quick_sort (with its input)", "hidden", 0,
                                   "on (2 values) 2 -2\n  call 1: expected goes_before(-2, 2)"}},
                                 "-2"}),
    adtlab::testing::NameFromWhat());

// An assignment of other sorts, named in another order: every format gives
// their checks in the table's order and scores them; a sort the module
// lacks is missing, of no points.
struct Assignment {
    const char *what; // the format
    std::vector<std::string> parts;
};

void PrintTo(const Assignment &a, std::ostream *os) {
    *os << a.what;
}

class AdtlabCheckAssignment : public ::testing::TestWithParam<Assignment> {};

TEST_P(AdtlabCheckAssignment, ReportsTheSortsItNames) {
    const Class students({{"alice", "check_modules/left_first_sorts.c"},
                          {"hana", "check_modules/heap_quick3_left_first.c"}});
    std::vector<std::string> folders = students.folders();
    if (GetParam().what == std::string("gradescope")) {
        folders.erase(folders.begin()); // one submission
    }
    Outcome o = check({"--sorts", "quick3,selection,heap", "--format", GetParam().what}, folders);
    EXPECT_TRUE(o.exited(1)) << o.out << o.err;
    for (const std::string &part : GetParam().parts) {
        EXPECT_NE(squeezed(o.out).find(part), std::string::npos) << part << "\nnot in\n" << o.out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Textbook, AdtlabCheckAssignment,
    ::testing::Values(
        Assignment{"text",
                   {"\nsubmission selection_sort heap_sort quick3_sort score\nalice pass missing "
                    "missing 1/3\nhana missing pass pass 2/3\n"}},
        Assignment{"csv",
                   {"name,selection_sort,heap_sort,quick3_sort,score,max_score\nalice,pass,missing,"
                    "missing,1,3\nhana,missing,pass,pass,2,3\n"}},
        Assignment{
            "json",
            {"\"name\": \"hana\",\n \"conforms\": false,\n \"score\": 2,\n \"max_score\": 3,",
             "\"name\": \"heap_sort\",\n \"status\": \"missing\",\n \"points\": 0,",
             "\"name\": \"quick3_sort\",\n \"status\": \"pass\",\n \"points\": 1,"}},
        Assignment{"junit",
                   {"<testsuite name=\"alice\" tests=\"3\" failures=\"2\" errors=\"0\"",
                    "<testcase classname=\"hana\" name=\"heap_sort\"/>"}},
        Assignment{"gradescope",
                   {"\"score\": 2,\n \"max_score\": 3,",
                    "\"name\": \"selection_sort\",\n \"score\": 0,",
                    "\"output\": \"selection_sort: missing\\n",
                    "\"name\": \"heap_sort\",\n \"score\": 1,"}}),
    adtlab::testing::NameFromWhat());

// Statuses, and usage errors: one line, status 2, before any check runs.
struct Run {
    const char *what;
    std::vector<std::string> args; // "CLASS" for the class's folders
    int status;
    std::string err; // what standard error starts with
};

void PrintTo(const Run &r, std::ostream *os) {
    *os << r.what;
}

class AdtlabCheckStatus : public ::testing::TestWithParam<Run> {};

TEST_P(AdtlabCheckStatus, EndsWithTheStatusOfTheRun) {
    const Class students;
    std::vector<std::string> command = {ADTLAB_CHECK};
    for (const std::string &arg : GetParam().args) {
        if (arg == "CLASS") {
            const std::vector<std::string> folders = students.folders();
            command.insert(command.end(), folders.begin(), folders.end());
        } else {
            command.push_back(arg);
        }
    }
    Outcome o = run_program(command);
    EXPECT_TRUE(o.exited(GetParam().status)) << o.out << o.err;
    EXPECT_EQ(o.err.substr(0, GetParam().err.size()), GetParam().err);
    EXPECT_EQ(o.err.empty(), GetParam().err.empty()) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, AdtlabCheckStatus,
    ::testing::Values(
        Run{"all conform, a folder and a file",
            {"--jobs", "2", "stack", TESTS_DIR "/outside", TESTS_DIR "/outside/list_stack.c"},
            0,
            ""},
        Run{"gradescope of a class",
            {"--format", "gradescope", "sorts", "CLASS"},
            2,
            "adtlab-check: the gradescope format takes one submission; 4 given\n"},
        Run{"hidden input in csv",
            {"--hide-input", "--format", "csv", "sorts", "CLASS"},
            2,
            "adtlab-check: --hide-input is for a report that students see; the csv format shows "
            "every input\n"},
        Run{"unknown format",
            {"--format", "xml", "sorts", "CLASS"},
            2,
            "adtlab-check: unknown format 'xml' (text, csv, json, junit or gradescope)\n"},
        Run{"no jobs",
            {"--jobs", "0", "sorts", "CLASS"},
            2,
            "adtlab-check: jobs '0' is not a whole number from 1 to 256\n"},
        Run{"seed past 2^53",
            {"--seed", "9007199254740992", "sorts", "CLASS"},
            2,
            "adtlab-check: seed '9007199254740992' is not a whole number from 0 to "
            "9007199254740991\n"},
        Run{"option without its value",
            {"--memory-limit"},
            2,
            "adtlab-check: option '--memory-limit' needs a value (try --help)\n"},
        Run{"value after equals",
            {"--time-limit=2", "stack", TESTS_DIR "/outside/list_stack.c"},
            0,
            ""},
        Run{"empty value after equals",
            {"--jobs=", "sorts", "CLASS"},
            2,
            "adtlab-check: jobs '' is not a whole number from 1 to 256\n"},
        Run{"unknown option",
            {"--fast", "sorts", "CLASS"},
            2,
            "adtlab-check: unknown option '--fast' (try --help)\n"},
        Run{"no such submission",
            {"sorts", "CLASS", "/nonexistent"},
            2,
            "adtlab-check: /nonexistent: no such file or folder\n"},
        Run{"unwritable output",
            {"--output", "/nonexistent/r.txt", "stack", TESTS_DIR "/outside/list_stack.c"},
            2,
            "adtlab-check: cannot write /nonexistent/r.txt: No such file or directory\n"}),
    adtlab::testing::NameFromWhat());

TEST(AdtlabCheckProgress, ShowsOnATerminalOnlyAndClearsAtTheEnd) {
    adtlab::testing::Start start;
    start.terminal_stderr = true;
    Outcome o = run_program({ADTLAB_CHECK, "stack", TESTS_DIR "/outside"}, start);
    EXPECT_TRUE(o.exited(0)) << o.err;
    EXPECT_NE(o.err.find("\r\033[Kchecked 1 of 1 submissions, "), std::string::npos) << o.err;
    EXPECT_EQ(o.err.substr(o.err.size() - 4), "\r\033[K") << o.err;
}

} // namespace

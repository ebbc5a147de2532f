// Thousands of generated variants of valid inputs, each run in a child: a
// loader either succeeds, and what it loaded dumps and reloads to the same,
// or it ends with status 1 and exactly one of its messages; the dialogue
// always ends in one of its two ways. Never another status, a signal or a
// sanitizer report (which would show on standard error).
#include "lineload/lineload.h"
#include "wordrow/wordrow.h"

#include "process.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_in_child;
using adtlab::testing::TempFile;

// Byte strings that sit on the edges of what the readers handle.
const std::vector<std::string> edge_tokens = {"",
                                              "0",
                                              "-0",
                                              "+",
                                              "-",
                                              "1",
                                              "-1",
                                              "2147483647",
                                              "2147483648",
                                              "-2147483648",
                                              "-2147483649",
                                              "4294967295",
                                              "4294967296",
                                              "18446744073709551616",
                                              std::string(30, '9'),
                                              std::string(1, '\0'),
                                              "\r\n",
                                              "\n",
                                              "\t",
                                              " ",
                                              "\xff",
                                              "empty:",
                                              std::string(99, 'w'),
                                              std::string(100, 'w'),
                                              std::string(4000, 'x')};

// Variants of each seed: every truncation, then random byte flips,
// insertions of edge tokens and swaps of tokens, from a fixed seed.
std::vector<std::string> variants(const std::vector<std::string> &seeds, unsigned int per_seed) {
    std::mt19937 random(20261209);
    std::vector<std::string> result{""};
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (const std::string &seed : seeds) {
        result.push_back(seed);
        for (std::size_t length = 0; length < seed.size(); ++length) {
            result.push_back(seed.substr(0, length));
        }
        for (unsigned int k = 0; k < per_seed; ++k) {
            std::string v = seed;
            unsigned int edits = 1 + static_cast<unsigned int>(pick(3));
            for (unsigned int e = 0; e < edits; ++e) {
                std::size_t at = v.empty() ? 0 : pick(v.size() + 1);
                switch (pick(4)) {
                case 0: // flip a byte
                    if (!v.empty()) {
                        v[pick(v.size())] = static_cast<char>(random() & 0xff);
                    }
                    break;
                case 1: // insert an edge token
                    v.insert(at, edge_tokens[pick(edge_tokens.size())]);
                    break;
                case 2: // replace what follows with an edge token
                    v = v.substr(0, at) + edge_tokens[pick(edge_tokens.size())] +
                        v.substr(std::min(v.size(), at + 1 + pick(4)));
                    break;
                default: // every line end a CRLF
                    for (std::size_t p = v.find('\n'); p != std::string::npos;
                         p = v.find('\n', p + 2)) {
                        v.replace(p, 1, "\r\n");
                    }
                }
            }
            result.push_back(v);
        }
    }
    return result;
}

std::string printable(const std::string &bytes) {
    std::string out;
    for (unsigned char c : bytes.substr(0, 200)) {
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        }
    }
    return out;
}

bool failed_properly(const Outcome &o, const std::set<std::string> &messages) {
    return o.exited(1) && o.out.empty() && messages.count(o.err) == 1;
}

constexpr unsigned int max_words = 8;

Outcome load_words(const std::string &contents) {
    TempFile file(contents);
    return run_in_child([&] {
        std::unique_ptr<fstring[]> array(new fstring[max_words]);
        unsigned int n = array_from_file(array.get(), max_words, file.path().c_str());
        array_dump(array.get(), n);
    });
}

TEST(GeneratedInput, WordLoaderLoadsOrFailsWithItsMessage) {
    const std::set<std::string> messages = {"Invalid array.\n", "Allowed size is 8.\n"};
    std::vector<std::string> inputs =
        variants({"3\nant bee cat\n", "0\n", "5 a bb ccc dddd eeeee\n",
                  "2\r\nni\xc3\xb1o caf\xc3\xa9\r\n", "1 " + std::string(99, 'w') + "\n"},
                 400);
    unsigned int loaded = 0;
    for (const std::string &input : inputs) {
        Outcome o = load_words(input);
        if (o.exited(0)) {
            ++loaded;
            Outcome again = load_words(o.out);
            EXPECT_TRUE(again.exited(0) && again.out == o.out)
                << "dump does not reload: " << printable(input);
        } else {
            EXPECT_TRUE(failed_properly(o, messages))
                << printable(input) << "\nstatus " << o.status << ", signal " << o.signal << "\n"
                << o.err.substr(0, 2000);
        }
    }
    RecordProperty("inputs", static_cast<int>(inputs.size()));
    std::printf("word loader: %zu inputs, %u loaded\n", inputs.size(), loaded);
}

Outcome load_queue(const std::string &contents) {
    TempFile file(contents);
    return run_in_child([&] {
        queue q = queue_from_file(file.path().c_str());
        queue_dump(q, stdout);
        queue_destroy(q);
    });
}

// The queue file that holds what a dump shows.
std::string queue_file_of(const std::string &dump) {
    std::string numbers = dump.substr(1, dump.size() - 3); // drop "[" and "]\n"
    if (numbers.empty()) {
        return "empty: 1\n";
    }
    std::string file = "empty: 0\n";
    for (char c : numbers) {
        file += c == ',' ? ' ' : c;
    }
    return file + "\n";
}

TEST(GeneratedInput, QueueLoaderLoadsOrFailsWithItsMessage) {
    const std::set<std::string> messages = {"Invalid array.\n"};
    std::vector<std::string> inputs = variants(
        {"empty: 0\n4 -2 7\n", "empty: 1\n", "empty: 0 5", "empty:0\r\n-1\r\n2147483647\r\n"}, 500);
    unsigned int loaded = 0;
    for (const std::string &input : inputs) {
        Outcome o = load_queue(input);
        if (o.exited(0)) {
            ++loaded;
            Outcome again = load_queue(queue_file_of(o.out));
            EXPECT_TRUE(again.exited(0) && again.out == o.out)
                << "dump does not reload: " << printable(input);
        } else {
            EXPECT_TRUE(failed_properly(o, messages))
                << printable(input) << "\nstatus " << o.status << ", signal " << o.signal << "\n"
                << o.err.substr(0, 2000);
        }
    }
    std::printf("queue loader: %zu inputs, %u loaded\n", inputs.size(), loaded);
}

TEST(GeneratedInput, DialogueRemovesOneElementOrReturnsNull) {
    const std::string shown =
        "\nEliminar n-esimo elemento\n-------------------------\n\n[4, -2, 7]\n";
    const std::string prompt = "\nElija un elemento del 0-2: ";
    const std::string invalid = "Elemento inválido!\n";
    const std::set<std::string> removals = {"[-2, 7]\n", "[4, 7]\n", "[4, -2]\n"};
    std::vector<std::string> answers =
        variants({"1\n", "3\n0\n", "-1\n2\n", "x\n", "2", "  7\n\n 4294967296\n1\n"}, 250);
    unsigned int removed = 0;
    for (const std::string &answer : answers) {
        Outcome o = run_in_child(
            [] {
                queue q = queue_enqueue(queue_enqueue(queue_enqueue(queue_empty(), 4), -2), 7);
                queue after = queue_user_disscard(q);
                std::fputs(after == nullptr ? "null " : "", stderr);
                queue_dump(after == nullptr ? q : after, stderr);
                queue_destroy(after == nullptr ? q : after);
            },
            answer);
        ASSERT_TRUE(o.exited(0)) << printable(answer) << "\n" << o.err.substr(0, 2000);
        // The queue once, then prompts each followed by the invalid line,
        // but for a last prompt answered well.
        std::string rest = o.out;
        bool shape = rest.compare(0, shown.size(), shown) == 0;
        rest = shape ? rest.substr(shown.size()) : rest;
        std::string round = prompt + invalid;
        while (shape && rest.compare(0, round.size(), round) == 0) {
            rest = rest.substr(round.size());
        }
        bool is_null = o.err == "null [4, -2, 7]\n";
        EXPECT_TRUE(shape && (is_null ? rest.empty() : rest == prompt)) << printable(answer) << "\n"
                                                                        << printable(o.out);
        EXPECT_TRUE(is_null || removals.count(o.err) == 1) << printable(answer) << "\n" << o.err;
        removed += is_null ? 0 : 1;
    }
    std::printf("dialogue: %zu answers, %u removed an element\n", answers.size(), removed);
}

} // namespace

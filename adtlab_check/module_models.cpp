// The scripts of the queue, stack and fixed-string checks, each with the
// model that gives the answers: a vector per queue or stack, the texts for
// fixed strings.
#include "module_models.h"

#include "module_scripts.h"

#include <algorithm>
#include <climits>

namespace adtlab::check {

namespace {

unsigned int below(std::mt19937_64 &random, unsigned int n) {
    return static_cast<unsigned int>(random() % n);
}

// The queue's answers. Elements are above 7000 in magnitude, so that the
// dump is read back whatever its punctuation.
struct QueueModel {
    std::mt19937_64 &random;
    Script script;
    std::vector<int> queues[4];

    explicit QueueModel(std::mt19937_64 &source) : random(source) {}

    int element() {
        return static_cast<int>(7001 + below(random, 93000)) * (below(random, 2) == 0 ? 1 : -1);
    }
    void empty(unsigned int s) {
        script.change(s, "empty", "queue_empty", "");
        queues[s].clear();
    }
    void enqueue(unsigned int s, int v) {
        script.change(s, "enqueue", "queue_enqueue", std::to_string(v));
        queues[s].push_back(v);
    }
    void enqueue_some(unsigned int s, unsigned int n) {
        for (unsigned int k = 0; k < n; ++k) {
            enqueue(s, element());
        }
    }
    void discard(unsigned int s, unsigned int k) {
        script.change(s, "discard", "queue_disscard", std::to_string(k));
        queues[s].erase(queues[s].begin() + k);
    }
    void discard_any(unsigned int s) {
        discard(s, below(random, static_cast<unsigned int>(queues[s].size())));
    }
    void size(unsigned int s) {
        script.read(s, "size", "", "queue_size(q)", "size " + std::to_string(queues[s].size()));
    }
    void dump(unsigned int s) {
        script.read(s, "dump", "", "queue_dump(q, file)", "dump " + join(queues[s]));
    }
};

void queue_empty_steps(QueueModel &m) {
    m.empty(0);
    m.size(0);
    m.dump(0);
    m.empty(1);
    m.enqueue(1, m.element()); // one, so that only queue_empty is at stake
    m.empty(2);                // a new queue, whatever came before
    m.size(2);
    m.dump(2);
    m.dump(1);
}

// One queue of 300, then two at once.
void queue_enqueue_steps(QueueModel &m) {
    m.empty(0);
    for (unsigned int n = 1; n <= 300; ++n) {
        m.enqueue(0, m.element());
        if (n <= 12 || n % 25 == 0) {
            m.dump(0);
        }
    }
    m.empty(1);
    m.empty(2);
    for (unsigned int k = 0; k < 40; ++k) {
        const unsigned int s = 1 + below(m.random, 2); // drawn before the element
        m.enqueue(s, m.element());
    }
    m.dump(1);
    m.dump(2);
}

void queue_size_steps(QueueModel &m) {
    m.empty(0);
    m.size(0);
    for (unsigned int n = 20 + below(m.random, 41); n > 0; --n) {
        m.enqueue(0, m.element());
        m.size(0);
    }
    while (!m.queues[0].empty()) {
        m.discard_any(0);
        m.size(0);
    }
    for (unsigned int k = 0; k < 3; ++k) {
        m.enqueue(0, m.element());
        m.size(0);
    }
    m.empty(1);
    m.enqueue_some(1, 300);
    m.size(1);
}

void queue_dump_steps(QueueModel &m) {
    std::vector<std::vector<int>> lists = {
        {}, {INT_MIN}, {INT_MAX, -7001}, {7001, INT_MIN, INT_MAX}};
    for (unsigned int k = 0; k < 10; ++k) {
        lists.back().push_back(m.element());
    }
    lists.emplace_back(1 + below(m.random, 60));
    std::generate(lists.back().begin(), lists.back().end(), [&m] { return m.element(); });
    for (const std::vector<int> &list : lists) {
        m.empty(0);
        for (int v : list) {
            m.enqueue(0, v);
        }
        m.dump(0);
    }
}

// Every position of queues up to 9, then discards mixed with enqueues:
// after discarding the back, down to empty and refilled, at random.
void queue_disscard_steps(QueueModel &m) {
    for (unsigned int n = 1; n <= 9; ++n) {
        for (unsigned int k = 0; k < n; ++k) {
            m.empty(0);
            m.enqueue_some(0, n);
            m.discard(0, k);
            m.dump(0);
        }
    }
    for (unsigned int n : {1u, 2 + below(m.random, 8)}) {
        m.empty(1);
        m.enqueue_some(1, n);
        m.discard(1, n - 1);
        m.enqueue(1, m.element());
        m.dump(1);
    }
    m.empty(2);
    m.enqueue_some(2, 2 + below(m.random, 8));
    while (!m.queues[2].empty()) {
        m.discard_any(2);
        m.dump(2);
    }
    for (unsigned int n = 1 + below(m.random, 4); n > 0; --n) {
        m.enqueue(2, m.element());
        m.dump(2);
    }
    m.empty(3);
    for (unsigned int k = 0; k < 60; ++k) {
        if (m.queues[3].empty() || below(m.random, 3) != 0) {
            m.enqueue(3, m.element());
        } else {
            m.discard_any(3);
        }
        m.dump(3);
    }
}

// The stack's answers: the arrays top first.
struct StackModel {
    std::mt19937_64 &random;
    Script script;
    std::vector<int> stacks[4];

    explicit StackModel(std::mt19937_64 &source) : random(source) {}

    int element() { return static_cast<int>(below(random, 199999)) - 99999; }
    void empty(unsigned int s) {
        script.change(s, "empty", "stack_empty", "");
        stacks[s].clear();
    }
    void push(unsigned int s, int v) {
        script.change(s, "push", "stack_push", std::to_string(v));
        stacks[s].push_back(v);
    }
    void push_some(unsigned int s, unsigned int n) {
        for (unsigned int k = 0; k < n; ++k) {
            push(s, element());
        }
    }
    void pop(unsigned int s) {
        script.change(s, "pop", "stack_pop", "");
        stacks[s].pop_back();
    }
    void is_empty(unsigned int s) {
        script.read(s, "is_empty", "", "stack_is_empty(s)",
                    stacks[s].empty() ? "bool true" : "bool false");
    }
    void array(unsigned int s) { // only of a stack that is not empty
        const std::vector<int> top_first(stacks[s].rbegin(), stacks[s].rend());
        script.read(s, "array", std::to_string(top_first.size()), "stack_to_array(s)",
                    "array " + join(top_first));
    }
};

void stack_empty_steps(StackModel &m) {
    m.empty(0);
    m.is_empty(0);
    m.empty(1);
    m.push(1, m.element()); // one, so that only stack_empty is at stake
    m.empty(2);             // a new stack, whatever came before
    m.is_empty(2);
    m.array(1);
}

// One stack of 200, then two at once.
void stack_push_steps(StackModel &m) {
    m.empty(0);
    for (unsigned int n = 1; n <= 200; ++n) {
        m.push(0, m.element());
        if (n <= 12 || n % 19 == 0 || n == 200) {
            m.array(0);
        }
    }
    m.empty(1);
    m.empty(2);
    for (unsigned int k = 0; k < 30; ++k) {
        const unsigned int s = 1 + below(m.random, 2); // drawn before the element
        m.push(s, m.element());
    }
    for (unsigned int s : {1u, 2u}) {
        if (!m.stacks[s].empty()) {
            m.array(s);
        }
    }
}

// Pops down to empty, then a push after popping to empty.
void stack_pop_steps(StackModel &m) {
    for (unsigned int n : {1u, 2u, 3u, 5u, 6 + below(m.random, 25), 200u}) {
        m.empty(0);
        m.push_some(0, n);
        while (!m.stacks[0].empty()) {
            m.pop(0);
            if (!m.stacks[0].empty() && (n < 100 || m.stacks[0].size() % 19 == 0)) {
                m.array(0);
            }
        }
        m.push(0, m.element());
        m.array(0);
    }
}

void stack_is_empty_steps(StackModel &m) {
    m.empty(0);
    m.is_empty(0);
    for (unsigned int k = 0; k < 80; ++k) {
        if (m.stacks[0].empty() || below(m.random, 2) != 0) {
            m.push(0, m.element());
        } else {
            m.pop(0);
        }
        m.is_empty(0);
    }
}

void stack_to_array_steps(StackModel &m) {
    std::vector<std::vector<int>> lists = {{INT_MIN}, {INT_MAX, INT_MIN, 0, -1, 1}};
    lists.emplace_back(1 + below(m.random, 50));
    std::generate(lists.back().begin(), lists.back().end(),
                  [&m] { return static_cast<int>(static_cast<unsigned int>(m.random())); });
    for (const std::vector<int> &list : lists) {
        m.empty(0);
        for (int v : list) {
            m.push(0, v);
        }
        m.array(0);
        m.array(0); // a new array each time, the stack untouched
    }
}

// Fixed strings: texts of every length up to 99 bytes, of any byte but 0,
// in buffers filled past the terminator with other bytes.
struct FstringModel {
    std::mt19937_64 &random;
    Script script;

    explicit FstringModel(std::mt19937_64 &source) : random(source) {}

    std::string word(std::size_t n) {
        std::string text(n, 'a');
        for (char &c : text) {
            c = static_cast<char>('a' + below(random, 26));
        }
        return text;
    }
    std::string bytes(std::size_t n) {
        std::string text(n, 'a');
        for (char &c : text) {
            c = static_cast<char>(1 + below(random, 255));
        }
        return text;
    }
    std::string fill() { return hex(std::string(1, static_cast<char>(1 + below(random, 255)))); }
    static std::string buffer(const std::string &text) { return text.empty() ? "-" : hex(text); }
    void set(const std::string &text) {
        const std::string before = word(1 + below(random, 30));
        const std::string answer = hex(text) + "00";
        const std::string fill_source = fill();
        const std::string fill_target = fill();
        script.once("set " + buffer(text) + " " + fill_source + " " + buffer(before) + " " +
                        fill_target,
                    "fstring_set(target, " + quoted(text) + ")", "set " + answer + " " + answer);
    }
    void eq(const std::string &a, const std::string &b) {
        std::string fill_a = fill();
        std::string fill_b = fill();
        while (fill_b == fill_a) {
            fill_b = fill();
        }
        script.once("eq " + buffer(a) + " " + fill_a + " " + buffer(b) + " " + fill_b,
                    "fstring_eq(" + quoted(a) + ", " + quoted(b) + ")",
                    a == b ? "bool true" : "bool false");
    }
};

void fstring_set_steps(FstringModel &m) {
    const std::string utf8 = std::string("\xc3\xb1") + "and\xc3\xba"; // two-byte letters
    const std::vector<std::string> texts = {
        "",        "a", m.word(1 + below(m.random, 20)), utf8, m.bytes(1 + below(m.random, 98)),
        m.word(99)};
    for (const std::string &text : texts) {
        m.set(text);
    }
}

// Every pair of texts that differ in length, case, one byte or the last.
void fstring_eq_steps(FstringModel &m) {
    const std::string w = m.word(3 + below(m.random, 6));
    std::string changed = w;
    changed[below(m.random, static_cast<unsigned int>(w.size()))] ^= 0x20;
    const std::string longest = m.word(99);
    std::string last = longest;
    last[98] = last[98] == 'z' ? 'y' : 'z';
    const std::vector<std::string> texts = {"", "a", "A", w, w + m.word(1), changed, longest, last};
    for (const std::string &a : texts) {
        for (const std::string &b : texts) {
            m.eq(a, b);
        }
    }
}

// A check's steps: a fresh model, driven by one of the functions above.
template <typename Model, void (*fill)(Model &)> std::vector<Step> steps(std::mt19937_64 &random) {
    Model m(random);
    fill(m);
    return m.script.steps();
}

const ModuleCheck queue_table[] = {
    {"queue_empty", steps<QueueModel, queue_empty_steps>},
    {"queue_enqueue", steps<QueueModel, queue_enqueue_steps>},
    {"queue_size", steps<QueueModel, queue_size_steps>},
    {"queue_dump", steps<QueueModel, queue_dump_steps>},
    {"queue_disscard", steps<QueueModel, queue_disscard_steps>},
};

const ModuleCheck stack_table[] = {
    {"stack_empty", steps<StackModel, stack_empty_steps>},
    {"stack_push", steps<StackModel, stack_push_steps>},
    {"stack_pop", steps<StackModel, stack_pop_steps>},
    {"stack_is_empty", steps<StackModel, stack_is_empty_steps>},
    {"stack_to_array", steps<StackModel, stack_to_array_steps>},
};

const ModuleCheck fstring_table[] = {
    {"fstring_set", steps<FstringModel, fstring_set_steps>},
    {"fstring_eq", steps<FstringModel, fstring_eq_steps>},
};

} // namespace

std::span<const ModuleCheck> queue_checks() {
    return queue_table;
}
std::span<const ModuleCheck> stack_checks() {
    return stack_table;
}
std::span<const ModuleCheck> fstring_checks() {
    return fstring_table;
}

} // namespace adtlab::check

#include "submission_gathering.h"

#include "failure.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

bool is_module_file(const fs::path &file) {
    const std::string extension = file.extension().string();
    for (const char *taken : {".c", ".cpp", ".cc", ".cxx", ".o", ".a"}) {
        if (extension == taken) {
            return true;
        }
    }
    return false;
}

// "/class/alice" for alice/, ./alice or /class/alice/.
fs::path place_of(const std::string &argument) {
    const fs::path path = fs::absolute(argument).lexically_normal();
    return path.has_filename() ? path : path.parent_path();
}

// The last `count` parts of a place: "alice", "a/alice", ...
std::string last_parts(const fs::path &place, std::size_t count) {
    fs::path tail;
    for (fs::path rest = place; count > 0 && rest.has_filename(); --count) {
        tail = tail.empty() ? rest.filename() : rest.filename() / tail;
        rest = rest.parent_path();
    }
    return tail.string();
}

// The fewest last parts of places[i] that no other place of its name
// shares; the same place given twice is numbered: "ana", "ana (2)".
std::string distinct_name(const std::vector<Submission> &submissions,
                          const std::vector<fs::path> &places, std::size_t i) {
    std::size_t count = 1;
    for (std::size_t j = 0; j < places.size(); ++j) {
        const bool rival = submissions[j].name == submissions[i].name && places[j] != places[i];
        while (rival && count < 256 &&
               last_parts(places[j], count) == last_parts(places[i], count)) {
            ++count;
        }
    }
    std::string name = last_parts(places[i], count);
    const auto same =
        std::count(places.begin(), places.begin() + static_cast<std::ptrdiff_t>(i), places[i]);
    return same == 0 ? name : name + " (" + std::to_string(same + 1) + ")";
}

// Submissions of the same name told apart by the places they come from.
void tell_apart(std::vector<Submission> &submissions, const std::vector<fs::path> &places) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < submissions.size(); ++i) {
        const auto shared =
            std::count_if(submissions.begin(), submissions.end(), [&](const Submission &other) {
                return other.name == submissions[i].name;
            });
        names.push_back(shared == 1 ? submissions[i].name : distinct_name(submissions, places, i));
    }
    for (std::size_t i = 0; i < submissions.size(); ++i) {
        submissions[i].name = names[i];
    }
}

std::vector<std::string> files_in(const std::string &folder) {
    std::vector<std::string> files;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder)) {
        std::error_code error;
        if (!entry.is_directory(error) && is_module_file(entry.path())) {
            files.push_back(fs::absolute(entry.path()).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

std::vector<Submission> gather_submissions(const std::vector<std::string> &arguments) {
    std::vector<Submission> submissions;
    std::optional<std::size_t> named; // the submission of the files named directly
    std::vector<fs::path> places;     // where each comes from: its folder, or its first file
    for (const std::string &argument : arguments) {
        std::error_code error;
        if (fs::is_directory(argument, error)) {
            places.push_back(place_of(argument));
            submissions.push_back({places.back().filename().string(), files_in(argument)});
            continue;
        }
        if (!fs::is_regular_file(argument, error)) {
            fail(argument + ": no such file or folder");
        }
        if (!is_module_file(argument)) {
            fail(argument + ": not a C or C++ source, an object or a static library");
        }
        if (!named) {
            named = submissions.size();
            places.push_back(place_of(argument));
            submissions.push_back({places.back().filename().string(), {}});
        }
        // Absolute: the compiler runs in the submission's private folder.
        submissions[*named].files.push_back(fs::absolute(argument).string());
    }
    tell_apart(submissions, places);
    return submissions;
}

} // namespace adtlab::check

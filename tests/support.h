// Test support: temporary directories, whole files, and running the built
// dump tool with its standard output, error stream and exit status captured.
#ifndef KEL_TEST_SUPPORT_H
#define KEL_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

// A fresh directory under the system's temporary directory, removed with
// everything in it when the test ends. path() ends with '/'.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("kel-test-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const { return dir_.generic_string() + "/"; }
    std::string operator/(const std::string& name) const { return path() + name; }

private:
    fs::path dir_;
};

inline void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.flush()) << path;
}

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Text as the platform's standard output writes it: Windows writes a
// newline as CR LF.
inline std::string platform_text(const std::string& s) {
#ifdef _WIN32
    std::string out;
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
#else
    return s;
#endif
}

// Runs f and returns the message of the runtime error it throws.
template <class F>
std::string error_of(F f) {
    try {
        f();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(no error)";
}

struct Result {
    std::string out, err;
    int status;
};

inline std::string quote(const std::string& arg) {
#ifdef _WIN32
    return '"' + arg + '"';
#else
    return '\'' + arg + '\'';
#endif
}

// Runs the shell command line with its streams redirected to files, or its
// standard output to stdout_target where one is given.
inline Result run_command(const std::string& command, const TempDir& tmp, const std::string& stdout_target = "") {
    const std::string out = tmp / "stdout.txt", err = tmp / "stderr.txt";
    const std::string target = stdout_target.empty() ? out : stdout_target;
    std::string line = command + " > " + quote(target) + " 2> " + quote(err);
#ifdef _WIN32
    line = '"' + line + '"';  // cmd /c drops the outermost pair of quotes
    const int status = std::system(line.c_str());
#else
    const int raw = std::system(line.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    return {read_file(out), read_file(err), status};
}

// The dump tool, which the build puts beside the tests' working directory.
inline std::string kel_command(const std::vector<std::string>& args) {
#ifdef _WIN32
    std::string command = ".\\kel.exe";
#else
    std::string command = "./kel";
#endif
    for (const std::string& a : args) command += ' ' + quote(a);
    return command;
}

// Starts program directly, without a shell, and waits for its exit status.
inline int spawn(const std::string& program, std::vector<std::string> args) {
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
#ifdef _WIN32
    return int(_spawnv(_P_WAIT, program.c_str(), argv.data()));
#else
    const pid_t pid = fork();
    if (pid == 0) {
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int raw = 0;
    return pid > 0 && waitpid(pid, &raw, 0) == pid && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
}

inline Result run_kel(const std::vector<std::string>& args) {
    TempDir tmp;
    return run_command(kel_command(args), tmp);
}

#endif

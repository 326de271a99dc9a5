// Helpers of the data-file tests: a scratch folder, file contents, a file
// system that fails on demand or lives in memory, and the Spanish locale.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/fichero/fichero.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Messages.h"
#include "tests/platform_fakes/FakeMessages.h"

namespace fichero_test {

namespace fs = std::filesystem;

inline std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Lines joined with CR LF after each.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
}

inline std::vector<std::string> folderEntries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A mkdtemp template in the system's temporary folder (TMPDIR when set).
inline std::string scratchTemplate(const std::string& prefix) {
    return (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
}

// Fresh case data, a fake message service and a scratch folder per test.
class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        General::Caso = {};
        Caracteristicas::Iniciar_Datos();
        std::string tmpl = scratchTemplate("kestram-fichero-");
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    const std::vector<platform::Message>& shown() const { return messages.fake.shown; }

    platform::ScopedFakeMessages messages;
    fs::path dir;
};

// The real disk, except that the n-th write (counted from 1 over one file)
// or the commit fails with the given system error.
class FailingFileSystem : public fichero::FileSystem {
public:
    int failAtWrite = 0;
    bool failCommit = false;
    int error = ENOSPC;
    int creates = 0;

    std::unique_ptr<fichero::OutputFile> create(const std::string& target,
                                                fichero::Outcome& failure) override {
        ++creates;
        auto real = fichero::realFileSystem().create(target, failure);
        if (!real) return nullptr;
        return std::make_unique<File>(std::move(real), *this);
    }
    fichero::Outcome read(const std::string& path, std::string& contents) override {
        return fichero::realFileSystem().read(path, contents);
    }

private:
    class File : public fichero::OutputFile {
    public:
        File(std::unique_ptr<fichero::OutputFile> real, FailingFileSystem& owner)
            : real_(std::move(real)), owner_(owner) {}
        fichero::Outcome write(std::string_view bytes) override {
            if (++writes_ == owner_.failAtWrite) return fichero::failureFromErrno(owner_.error, true);
            return real_->write(bytes);
        }
        fichero::Outcome commit() override {
            if (owner_.failCommit) return fichero::failureFromErrno(owner_.error, true);
            return real_->commit();
        }

    private:
        std::unique_ptr<fichero::OutputFile> real_;
        FailingFileSystem& owner_;
        int writes_ = 0;
    };
};

// Files kept in memory, for loops of many saves and reads.
class MemoryFileSystem : public fichero::FileSystem {
public:
    std::map<std::string, std::string> files;

    std::unique_ptr<fichero::OutputFile> create(const std::string& target,
                                                fichero::Outcome& failure) override {
        failure.reset();
        return std::make_unique<File>(files[target]);
    }
    fichero::Outcome read(const std::string& path, std::string& contents) override {
        auto it = files.find(path);
        if (it == files.end()) return fichero::failureFromErrno(ENOENT, false);
        contents = it->second;
        return std::nullopt;
    }

private:
    class File : public fichero::OutputFile {
    public:
        explicit File(std::string& slot) : slot_(slot) {}
        fichero::Outcome write(std::string_view bytes) override {
            pending_ += bytes;
            return std::nullopt;
        }
        fichero::Outcome commit() override {
            slot_ = pending_;
            return std::nullopt;
        }

    private:
        std::string& slot_;
        std::string pending_;
    };
};

// Sets the Spanish locale (decimal comma), building it in a scratch folder
// when the machine lacks it. False when it cannot be had.
inline bool setSpanishLocale() {
    if (std::setlocale(LC_ALL, "es_ES.UTF-8")) return true;
    struct Folder {
        std::string path;
        ~Folder() {
            std::error_code ec;
            if (!path.empty()) fs::remove_all(path, ec);
        }
    };
    static Folder folder;
    std::string& built = folder.path;
    if (built.empty()) {
        std::string tmpl = scratchTemplate("kestram-locale-");
        if (!mkdtemp(tmpl.data())) return false;
        built = tmpl;
        std::string cmd = "localedef -i es_ES -f UTF-8 " + built + "/es_ES.UTF-8 >/dev/null 2>&1";
        if (std::system(cmd.c_str()) != 0) return false;
    }
    setenv("LOCPATH", built.c_str(), 1);
    return std::setlocale(LC_ALL, "es_ES.UTF-8") != nullptr;
}

inline void restoreCLocale() {
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
}

}  // namespace fichero_test

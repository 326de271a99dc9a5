#include "platform/Temporaries.h"

#include <filesystem>
#include <map>
#include <mutex>

namespace platform {

namespace {

std::mutex guard;
std::map<long, std::string>& kept() {
    static auto* paths = new std::map<long, std::string>;  // lives to the very end
    return *paths;
}
long next = 0;

}  // namespace

void KeptTemporary::keep(const std::string& path) {
    release();
    const std::lock_guard<std::mutex> lock(guard);
    id_ = next++;
    kept()[id_] = path;
}

void KeptTemporary::release() {
    if (id_ < 0) return;
    const std::lock_guard<std::mutex> lock(guard);
    kept().erase(id_);
    id_ = -1;
}

void removeTemporaries() {
    const std::lock_guard<std::mutex> lock(guard);
    for (const auto& [id, path] : kept()) {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
}

}  // namespace platform

// Shared by the reader targets: the fuzz bytes are the one file on a disk in
// memory, and the messages shown are answered and forgotten.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/fichero/fichero.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Messages.h"
#include "tests/platform_fakes/FakeMessages.h"

namespace fuzz {

class OneFile : public fichero::FileSystem {
public:
    std::string contents;
    std::unique_ptr<fichero::OutputFile> create(const std::string&, fichero::Outcome& failure) override {
        failure = fichero::Failure{fichero::failure::kAccessDenied, "solo lectura"};
        return nullptr;
    }
    fichero::Outcome read(const std::string&, std::string& out) override {
        if (contents.size() > fichero::kMaxFileSize)
            return fichero::Failure{fichero::failure::kFileTooLarge, "grande"};
        out = contents;
        return std::nullopt;
    }
};

struct Harness {
    Harness() {
        Caracteristicas::Iniciar_Datos();
        fichero::setFileSystem(&disk);
        platform::setMessages(&messages);
    }
    // Loads the bytes as the file, with a fresh case and no messages.
    void load(const uint8_t* data, size_t size) {
        disk.contents.assign(reinterpret_cast<const char*>(data), size);
        messages.clear();
        General::Caso.Error_Datos = false;
    }
    OneFile disk;
    platform::FakeMessages messages;
};

}  // namespace fuzz

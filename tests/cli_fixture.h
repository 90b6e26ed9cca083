#pragma once
// Runs q42cli's commands in the test process: files in a temporary folder, stdin from a string,
// stdout and stderr into strings, the exit status returned.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "machine/language.h"

namespace q42::cli {

class CliFixture : public testing::Test {
  protected:
    std::filesystem::path dir_ =
        std::filesystem::temp_directory_path() / ("q42_cli_test_" + std::to_string(::getpid()));
    std::istringstream in_;
    std::ostringstream out_, err_;

    void SetUp() override { std::filesystem::create_directories(dir_); }
    void TearDown() override {
        std::filesystem::remove_all(dir_);
        SetTextLanguage(Language::Russian);  // a command with --lang en chose English
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return (dir_ / name).string();
    }
    std::string Read(const std::string& name) {
        std::ifstream file(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    // Runs a command line (without the program name) with `input` on stdin, from empty output.
    // A run without --rom takes the ROM image of the source tree.
    int Cli(const std::vector<std::string>& args, const std::string& input = "") {
        in_.clear();
        in_.str(input);
        out_.str("");
        err_.str("");
        std::string error;
        Options options = ParseOptions(args, error);
        if (!error.empty()) return kBadUsage;
        const bool runs = options.command == Command::Run || options.command == Command::Debug ||
                          options.command == Command::Check || options.command == Command::Grade;
        if (runs && options.rom.empty()) options.rom = Q42_SOURCE_DIR "/rom/Q42ROM.TXT";
        // A program that a fault makes loop for ever stops (exit 3) instead of hanging the test.
        if (options.command == Command::Run && options.maxSteps == 0) options.maxSteps = 50'000'000;
        Streams io{in_, out_, err_};
        switch (options.command) {
            case Command::Asm: return AssembleCommand(options, io);
            case Command::Run: return RunCommand(options, "", io);
            case Command::Decode: return DecodeCommand(options, "", io);
            case Command::Debug: return DebugCommand(options, "", io);
            case Command::Check: return CheckCommand(options, "", io);
            case Command::Grade: return GradeCommand(options, "", io);
            case Command::Similar: return SimilarCommand(options, io);
            default: return kHalted;
        }
    }
};

}  // namespace q42::cli

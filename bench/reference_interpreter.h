#pragma once
// A minimal interpreter of Q42 instruction words, written only for speed: no error texts, no
// views, no checks beyond what keeps it inside its arrays. It runs the benchmark programs so that
// the machine's speed can be read as a ratio to it, measured in the same run.

#include <array>
#include <cstdint>
#include <vector>

namespace q42::bench {

class ReferenceInterpreter {
  public:
    // Loads words into RAM from 0000 and resets the registers.
    void Load(const std::vector<std::int64_t>& words);
    // Runs until HLT or an error; returns the number of steps.
    std::int64_t Run();

  private:
    std::array<std::uint16_t, 128> ram_{};
    std::array<std::uint16_t, 4> r_{};
    std::uint32_t pc_ = 0;
    std::uint32_t sp_ = 0x100;
    std::uint16_t ps_ = 0;
    // The instruction word being run and its byte bits.
    std::uint32_t w_ = 0;
    bool sourceByte_ = false;
    bool destinationByte_ = false;

    std::uint16_t& Word(std::uint32_t address);
    std::uint32_t Read(std::uint32_t field, bool isByte);
    void Store(std::uint32_t field, std::uint32_t value, bool advance);
    void Flags(std::uint32_t value);
    std::uint32_t Operand1();
    // The operations; false when the run ends at it (an overflow, an unknown form).
    void Move();
    bool Arithmetic(std::uint32_t code);
    void Compare();
    void Logic(std::uint32_t code);
    bool Taken(std::uint32_t condition) const;
    void Jump(std::uint32_t code);
    bool Single();
};

}  // namespace q42::bench

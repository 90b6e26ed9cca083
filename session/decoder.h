#pragma once
// What the instruction decoding dialog shows, as data: one instruction word taken apart and
// explained in the current text language (8-bit text), with the operand words that follow it and,
// for a jump or branch whose target is known, where it goes. The dialog only shows these fields.

#include <string>

#include "machine/machine.h"

namespace q42 {

struct DecodedInstruction {
    std::string address;    // of the instruction word
    std::string words;      // the operand words read, newest first, then the instruction word
    std::string operation;  // what the operation is called
    bool operand1Shown = false;
    std::string operand1Caption;  // "Операнд 1", "Адрес перехода" or "Порт"
    bool shortConstantShown = false;  // the short constant and minus check boxes
    bool shortConstant = false;
    bool negative = false;
    std::string shortConstantCaption;
    std::string negativeCaption;
    std::string operand1;
    bool targetShown = false;  // the arrow to a jump's or branch's known target
    std::string targetMemory;  // the target's memory: "ОЗУ", "ПЗУ", "ПЗУ2" or empty
    std::string byte1Caption;  // "Байт" or "Смещение"
    bool byte1Shown = false;
    bool byte1 = false;
    bool operand2Shown = false;
    std::string operand2Caption;  // "Операнд 2" or "Порт"
    std::string operand2;
    bool byte2Shown = false;
    bool byte2 = false;
    std::string byte2Caption;
    bool canJump = false;  // the target lies in memory at an even address
};

// The dialog's state: what it shows and the address of the next word it will read. Decoding
// reads memory only, never changes the machine, and reads 0000 outside RAM and ROM.
class Decoder {
  public:
    const DecodedInstruction& Shown() const { return shown_; }
    Value DecodePointer() const { return decodePointer_; }

    void DecodeAt(const Machine& machine, Value address);
    // True while the instruction after the one shown still starts inside memory (at FFFE at the
    // latest): memory ends there, and addresses do not wrap round to 0000.
    bool HasNext() const { return decodePointer_ <= 0xFFFE; }
    // "Дальше": the instruction after the one shown; nothing past the end of memory.
    void Next(const Machine& machine) {
        if (HasNext()) DecodeAt(machine, decodePointer_);
    }
    // "Переход": the jump target shown in operand 1; does nothing when the button is disabled.
    void Jump(const Machine& machine);

    // The operation's name, as the instruction table gives it, and the operand texts.
    static std::string DescribeOperation(InstructionWord word);
    static std::string DescribeOperand(int field);

  private:
    DecodedInstruction shown_;
    Value decodePointer_ = 0;

    std::string OperandText(const Machine& machine, int field);
    void ShowCaptions(InstructionWord word);
    void ShowOperand1(const Machine& machine, InstructionWord word, Value address);
    void ShowOperand2(const Machine& machine, InstructionWord word);
    void ShowTarget(InstructionWord word);
};

}  // namespace q42

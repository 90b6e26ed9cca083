// One instruction at a time: each row gives the words at PC (0000 unless the row sets it), the
// state before, the state expected after, and the error the instruction must leave (Fault::None for
// none).

#include <gtest/gtest.h>

#include "tests/machine_test_support.h"

namespace q42::test {
namespace {

struct InstructionCase {
    const char* name;
    std::vector<Value> words;
    const char* before;
    const char* after;
    Fault fault = Fault::None;
};

void PrintTo(const InstructionCase& c, std::ostream* os) {
    *os << c.name;
}

class InstructionTest : public testing::TestWithParam<InstructionCase> {};

TEST_P(InstructionTest, LeavesExpectedState) {
    const auto& c = GetParam();
    Machine machine;
    ApplyState(machine, c.before);
    Execute(machine, c.words);
    EXPECT_EQ(StateDifferences(machine, c.after), "");
    EXPECT_EQ(Utf8(machine.State().runError), Utf8(c.fault));
}

std::string CaseName(const testing::TestParamInfo<InstructionCase>& info) {
    std::string name;
    for (const char* p = info.param.name; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

// Operand fields: 0..3 Rn, 4..7 (Rn), 8..B paged (Rn), C and F invalid, D immediate, E absolute.
const InstructionCase kMoveCases[] = {
    {"mov_register", {0x0110}, "R1=1234", "R0=1234 PC=2 N=0 Z=0"},
    {"mov_immediate", {0x01D2, 0x8001}, "", "R2=8001 PC=4 N=1 Z=0"},
    {"mov_indirect", {0x0150}, "R1=40 @40=BEEF", "R0=BEEF PC=2"},
    {"mov_paged_indirect", {0x0190}, "R1=40 @40=BEEF", "R0=BEEF"},
    {"mov_absolute_source", {0x01E3, 0x0040}, "@40=7", "R3=7 PC=4"},
    {"mov_to_indirect", {0x0105}, "R0=1111 R1=40", "@40=1111 R1=40"},
    {"mov_to_absolute_passes_extension", {0x010E, 0x0040}, "R0=2222", "@40=2222 PC=4"},
    {"mov_immediate_to_absolute", {0x01DE, 0x1234, 0x0040}, "", "@40=1234 PC=6"},
    {"mov_zero_sets_z", {0x0110}, "R0=5 R1=0", "R0=0 Z=1 N=0"},
    {"mov_to_constant", {0x010D, 0x0005}, "R0=1", "PC=2", Fault::Operand2Constant},
    {"mov_from_field_c", {0x01C0}, "R0=9", "R0=9", Fault::BadAddressingMode},
    {"mov_from_field_f", {0x01F0}, "R0=9", "R0=9", Fault::BadAddressingMode},
    {"mov_to_field_c", {0x010C}, "", "", Fault::BadAddressingMode},
    {"mov_to_field_f", {0x010F}, "", "", Fault::BadAddressingMode},
    {"mov_byte_to_word_sign_extends", {0x8150}, "R1=40 @40=1280", "R0=FF80 N=1"},
    {"mov_byte_to_word_positive", {0x8150}, "R1=40 @40=127F", "R0=007F N=0"},
    {"mov_odd_address_reads_high_byte", {0x8150}, "R1=41 @40=8012", "R0=FF80"},
    {"mov_byte_to_byte_keeps_high_byte", {0xC150}, "R0=AAAA R1=40 @40=0012", "R0=AA12 N=0"},
    {"mov_byte_to_odd_address", {0xC105}, "R0=0034 R1=41 @40=12AB", "@40=34AB"},
    {"mov_byte_immediate_is_low_byte", {0xC1D0, 0x12FF}, "R0=0", "R0=00FF N=1 Z=0 PC=4"},
    {"mov_byte_register_source", {0x8110}, "R1=12F0", "R0=FFF0"},
    {"mov_byte_zero_sets_z", {0xC110}, "R0=1234 R1=5500", "R0=1200 Z=1 LR=0"},
    {"mov_word_to_byte_rejected", {0x4110}, "R0=1 R1=2", "R0=1", Fault::WordWithByte},
    {"mov_short_constant", {0x2150}, "", "R0=5"},
    {"mov_short_constant_minus", {0x3150}, "", "R0=FFFB N=1"},
    {"mov_short_constant_minus_zero", {0x3100}, "R0=7", "R0=0 Z=1"},
    {"mov_short_constant_minus_15", {0x31F0}, "", "R0=FFF1"},
    {"mov_short_constant_to_byte", {0xF1F0}, "R0=AB00", "R0=ABF1 N=1"},
    {"mov_short_constant_to_absolute", {0x215E, 0x0040}, "", "@40=5 PC=4"},
    {"mov_to_ram_end_fails", {0x0105}, "R0=1 R1=100", "", Fault::BadMemoryAddress},
    {"mov_to_rom_fails", {0x0105}, "R0=1 R1=4000", "", Fault::RomWrite},
    {"mov_beyond_rom_fails_as_rom", {0x0105}, "R0=1 R1=FFFF", "", Fault::RomWrite},
    {"mov_from_rom", {0x0150}, "R1=44FE @44FE=4321", "R0=4321"},
    {"mov_from_beyond_rom_fails", {0x0150}, "R0=9 R1=4500", "R0=9", Fault::BadMemoryAddress},
    {"mov_from_gap_fails", {0x0150}, "R0=9 R1=3FFE", "R0=9", Fault::BadMemoryAddress},
    // The destination's extension word lies outside RAM: nothing is stored, word 0 included.
    {"mov_absolute_destination_past_ram",
     {0x010E},
     "R0=55 PC=FE",
     "@0=0 @FE=010E PC=102",
     Fault::BadMemoryAddress},
};

const InstructionCase kArithmeticCases[] = {
    {"add", {0x0210}, "R0=3 R1=5", "R0=8 R1=5 N=0 Z=0"},
    {"add_negative", {0x0210}, "R0=FFFF R1=FFFF", "R0=FFFE N=1"},
    {"add_to_zero", {0x0210}, "R0=FFFF R1=1", "R0=0 Z=1"},
    {"add_overflow_stores_nothing",
     {0x0210},
     "R0=7FFF R1=1 PS=2",
     "R0=7FFF LR=8000 PS=2",
     Fault::Overflow},
    {"add_immediate_to_absolute", {0x02DE, 0x0003, 0x0040}, "@40=4", "@40=7 PC=6"},
    {"add_to_constant_reads_it_first", {0x021D, 0x0005}, "R1=1", "PC=4", Fault::Operand2Constant},
    {"add_byte_with_word_rejected", {0x8210}, "R0=1", "R0=1", Fault::ByteWithWord},
    {"add_word_with_byte_rejected", {0x4210}, "R0=1", "R0=1", Fault::WordWithByte},
    {"add_bytes", {0xC210}, "R0=AB05 R1=0003", "R0=AB08"},
    {"add_byte_overflow_stores_low_byte",
     {0xC210},
     "R0=00F0 R1=0020",
     "R0=0010 N=0 Z=0 LR=10",
     Fault::ByteOverflow},
    {"add_byte_overflow_into_absolute_low_byte",
     {0xC2DE, 0x0020, 0x0040},
     "@40=12F0",
     "@40=1210 PC=6",
     Fault::ByteOverflow},
    {"add_byte_overflow_into_absolute_high_byte",
     {0xC2DE, 0x0020, 0x0041},
     "@40=F012",
     "@40=1012 PC=6",
     Fault::ByteOverflow},
    {"add_byte_overflow_into_indirect",
     {0xC2D5, 0x0020},
     "R1=40 @40=00F0",
     "@40=0010",
     Fault::ByteOverflow},
    {"add_byte_overflow_to_zero", {0xC210}, "R0=00F0 R1=0010", "R0=0 Z=1", Fault::ByteOverflow},
    {"add_byte_short_minus_one", {0xF210}, "R0=0005", "R0=0004"},
    {"add_byte_short_minus_one_below_zero", {0xF210}, "R0=0", "R0=00FF N=1", Fault::ByteOverflow},
    {"sub_operand2_minus_operand1", {0x0310}, "R0=5 R1=3", "R0=2"},
    {"sub_to_minus_7fff", {0x0310}, "R0=0 R1=7FFF", "R0=8001 N=1"},
    {"sub_to_minus_8000_overflows",
     {0x0310},
     "R0=FFFF R1=7FFF",
     "R0=FFFF LR=8000",
     Fault::Overflow},
    {"sub_byte_negative", {0xC310}, "R0=1 R1=2", "R0=FF N=1", Fault::ByteOverflow},
    {"mul", {0x0510}, "R0=7 R1=FFFA", "R0=FFD6 N=1"},
    {"mul_300_by_300_overflows", {0x0510}, "R0=12C R1=12C", "R0=12C", Fault::Overflow},
    {"mul_minus_one_by_7fff", {0x0510}, "R0=FFFF R1=7FFF", "R0=8001"},
    {"mul_bytes_overflow", {0xC510}, "R0=20 R1=10", "R0=0 Z=1", Fault::ByteOverflow},
    {"div_truncates_toward_zero", {0x0610}, "R0=FFF9 R1=2", "R0=FFFD N=1"},
    {"div_positive", {0x0610}, "R0=64 R1=7", "R0=E"},
    {"div_by_zero", {0x0610}, "R0=1234 R1=0 LR=77", "R0=1234 LR=77", Fault::DivisionByZero},
    {"div_minus_8000_by_minus_one", {0x0610}, "R0=8000 R1=FFFF", "R0=8000", Fault::Overflow},
    {"div_short_constant", {0x2620}, "R0=9", "R0=4"},
};

const InstructionCase kCompareAndLogicCases[] = {
    {"cmp_equal", {0x0410}, "R0=5 R1=5", "Z=1 N=0 LR=0 R0=5"},
    {"cmp_operand1_less", {0x0410}, "R0=1 R1=8000", "N=0 Z=0 LR=1"},
    {"cmp_operand1_greater", {0x0410}, "R0=3 R1=5", "N=1 Z=0 LR=FFFF R0=3"},
    {"cmp_bytes_signed", {0xC410}, "R0=1 R1=80", "N=0 Z=0 LR=1"},
    {"cmp_bytes_greater", {0xC410}, "R0=80 R1=1", "N=1 LR=FFFF"},
    {"cmp_short_minus_with_byte", {0xF410}, "R0=FF", "Z=1"},
    {"cmp_immediate_with_absolute", {0x04DE, 0x0007, 0x0040}, "@40=7", "Z=1 PC=6 @40=7"},
    {"and", {0x0710}, "R0=F0F0 R1=FF00", "R0=F000 N=1"},
    {"and_zero", {0x0710}, "R0=00FF R1=FF00", "R0=0 Z=1"},
    {"or", {0x0810}, "R0=F0F0 R1=FF00", "R0=FFF0"},
    {"xor", {0x0910}, "R0=F0F0 R1=FF00", "R0=0FF0 N=0"},
    {"or_byte_short_minus", {0xF800}, "R0=1200", "R0=1200 Z=1"},
    {"xor_byte_with_short_minus_one", {0xF910}, "R0=12F0", "R0=120F N=0"},
};

// Clearing a flag uses the masks 0FFE and 0FFD, so bits 12..15 of PS go with it.
const InstructionCase kFlagCases[] = {
    {"zero_result_after_popps_f003", {0x0110}, "R1=0 PS=F003", "PS=0002"},
    {"positive_result_clears_high_bits", {0x0110}, "R1=1 PS=F003", "PS=0000"},
    {"negative_result_keeps_high_bits_then_clears_z", {0x0110}, "R1=8000 PS=F002", "PS=0001"},
    {"negative_result_with_z_clear", {0x0110}, "R1=8000 PS=F001", "PS=0001"},
};

const InstructionCase kJumpCases[] = {
    {"jmp_immediate", {0x1C0D, 0x0040}, "", "PC=40"},
    {"jmp_register", {0x1C01}, "R1=20", "PC=20"},
    {"jmp_indirect", {0x1C05}, "R1=40 @40=30", "PC=30"},
    {"jmp_absolute", {0x1C0E, 0x0040}, "@40=32", "PC=32"},
    {"jmp_keeps_flags", {0x1C0D, 0x0040}, "PS=F003", "PS=F003"},
    {"jmp_to_constant_field_c", {0x1C0C}, "", "PC=2", Fault::BadAddressingMode},
    {"call_pushes_address_after_extension", {0x9C0D, 0x0040}, "SP=100", "PC=40 SP=FE @FE=4"},
    {"ret_pops", {0x0C00}, "SP=FE @FE=22", "PC=22 SP=100"},
    {"ret_with_empty_stack_jumps_to_0", {0x0C00}, "SP=100", "PC=0 SP=102", Fault::BadMemoryAddress},
    {"return_with_bit_15_still_returns", {0x8C00}, "SP=FE @FE=22", "PC=22 SP=100"},
    {"call_push_into_rom_still_jumps",
     {0x9C0D, 0x0040},
     "SP=4002",
     "PC=40 SP=4000",
     Fault::RomWrite},
    {"br_forward", {0x1D04}, "", "PC=6"},
    {"br_back_to_itself", {0x1DFE}, "", "PC=0"},
    {"br_wraps_below_zero", {0x1D80}, "", "PC=FF82", Fault::BadNextCommandAddress},
    {"bcall", {0x9D10}, "SP=100", "PC=12 SP=FE @FE=2"},
    {"bret", {0x0D7F}, "SP=FE @FE=24", "PC=24 SP=100"},
    {"jge_not_taken_skips_extension", {0x2C0D, 0x0040}, "PS=1", "PC=4"},
    {"conditional_call_taken", {0xAC0D, 0x0040}, "PS=0 SP=100", "PC=40 SP=FE @FE=4"},
    {"conditional_call_not_taken", {0xAC0D, 0x0040}, "PS=1 SP=100", "PC=4 SP=100"},
};

const InstructionCase kSingleOperandCases[] = {
    {"not", {0x0E10}, "R0=00FF", "R0=FF00 N=1"},
    {"not_byte", {0x8E10}, "R0=12F0", "R0=120F N=0"},
    {"not_byte_zero_with_high_bits_in_result", {0x8E10}, "R0=00FF", "R0=0 Z=1 LR=FF00"},
    {"push", {0x0E21}, "R1=ABCD SP=100", "SP=FE @FE=ABCD N=1"},
    {"push_immediate", {0x0E2D, 0x0007}, "SP=100", "SP=FE @FE=7 PC=4"},
    {"push_byte_rejected", {0x8E21}, "SP=100", "SP=100", Fault::BytePush},
    {"push_into_rom_leaves_sp_decremented", {0x0E21}, "SP=4002", "SP=4000", Fault::RomWrite},
    {"pop", {0x0E32}, "SP=FE @FE=1234", "R2=1234 SP=100"},
    {"pop_to_absolute", {0x0E3E, 0x0040}, "SP=FE @FE=5555", "@40=5555 PC=4 SP=100"},
    {"pop_byte_rejected", {0x8E32}, "SP=FE", "SP=FE", Fault::BytePop},
    {"pop_empty_stack_leaves_sp", {0x0E32}, "SP=100 R2=9", "SP=100 R2=9", Fault::BadMemoryAddress},
    {"addsp", {0x0E4D, 0x0010}, "SP=100", "SP=110 PC=4"},
    {"subsp_below_zero_kept_exactly", {0x0E5D, 0x0200}, "SP=100", "SP=-100 N=1"},
    {"addsp_above_ffff_kept_exactly", {0x0E41}, "SP=FFFE R1=4", "SP=10002 N=0 Z=0"},
    {"push_with_negative_sp", {0x0E21}, "SP=-100", "SP=-102", Fault::BadMemoryAddress},
    {"addsp_byte_rejected", {0x8E41}, "SP=100", "SP=100", Fault::ByteAddressing},
    {"tosp", {0x0E61}, "R1=80", "SP=80"},
    {"frmsp", {0x0E72}, "SP=F0", "R2=F0"},
    {"frmsp_to_absolute", {0x0E7E, 0x0040}, "SP=F0", "@40=F0 PC=4"},
    {"frmsp_out_of_range_stores_a_word", {0x0E72}, "SP=-2", "R2=FFFE"},
    {"frmsp_byte_rejected", {0x8E72}, "", "", Fault::ByteAddressing},
    {"pushps", {0x0E80}, "PS=F003 SP=100", "SP=FE @FE=F003 PS=F003"},
    {"pushps_with_operand_rejected", {0x0E81}, "SP=100", "SP=100", Fault::InvalidOperation},
    {"pushps_byte_rejected", {0x8E80}, "SP=100", "SP=100", Fault::BytePush},
    {"popps", {0x0E90}, "SP=FE @FE=F003", "PS=F003 SP=100 LR=F003"},
    {"popps_byte_rejected", {0x8E90}, "SP=FE", "SP=FE", Fault::BytePop},
    {"sub_operation_9_n1_rejected", {0x0E91}, "", "", Fault::InvalidOperation},
    {"sub_operation_9_n3_rejected", {0x0E93}, "", "", Fault::InvalidOperation},
    {"register_shift_left_4", {0x0E94}, "R0=ABCD", "R0=BCD0 N=1"},
    {"register_shift_left_4_r3", {0x0E97}, "R3=1234", "R3=2340"},
    {"register_shift_right_4", {0x0E98}, "R0=ABCD", "R0=0ABC N=0"},
    {"register_swap_bytes", {0x0E9C}, "R0=ABCD", "R0=CDAB"},
    {"register_swap_bytes_r1", {0x0E9D}, "R1=0012", "R1=1200 Z=0"},
    {"register_form_byte_flags", {0x8E9C}, "R0=8000", "R0=0080 N=1"},
    {"sl", {0x0EA0}, "R0=C001", "R0=8002 N=1"},
    {"sl_to_zero", {0x0EA0}, "R0=8000", "R0=0 Z=1"},
    {"sr", {0x0EB0}, "R0=8001", "R0=4000 N=0"},
    {"asr_word", {0x0EC0}, "R0=8002", "R0=C001 N=1"},
    {"asr_byte", {0x8EC0}, "R0=1280", "R0=12C0 N=1"},
    {"sl_byte", {0x8EA0}, "R0=1280", "R0=1200 Z=1"},
    {"page0_nonexistent", {0x0E00}, "", "", Fault::NonexistentOperation},
    {"mypage_nonexistent", {0x0E01}, "", "", Fault::NonexistentOperation},
    {"sub_operation_13_nothing", {0x0ED0}, "R0=5 PS=3", "R0=5 PS=3 PC=2"},
    {"sub_operation_15_nothing", {0x8EFF}, "R3=5", "R3=5 PC=2"},
    {"hlt", {0xAF18}, "", "STOP=1 PC=2"},
    {"any_code_15_halts", {0x0F00}, "", "STOP=1"},
    {"nop", {0x00FF}, "R0=1 PS=3", "R0=1 PS=3 STOP=0"},
};

INSTANTIATE_TEST_SUITE_P(Move, InstructionTest, testing::ValuesIn(kMoveCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Arithmetic, InstructionTest, testing::ValuesIn(kArithmeticCases),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(CompareAndLogic, InstructionTest, testing::ValuesIn(kCompareAndLogicCases),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(FlagMasks, InstructionTest, testing::ValuesIn(kFlagCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Jump, InstructionTest, testing::ValuesIn(kJumpCases), CaseName);
INSTANTIATE_TEST_SUITE_P(SingleOperand, InstructionTest, testing::ValuesIn(kSingleOperandCases),
                         CaseName);

// Conditional jumps over every condition and every combination of N and Z.
TEST(ConditionalJump, TakenExactlyWhenConditionHolds) {
    struct Flags {
        bool n, z;
    };
    const Flags kFlags[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (int condition = 2; condition <= 7; ++condition) {
        for (const auto f : kFlags) {
            const bool expected[] = {!f.n, f.n, !f.z, f.z, f.n || f.z, !f.n && !f.z};
            for (const int code : {0xC, 0xD}) {
                Machine machine;
                Edit(machine,
                     [&](MachineState& s) { s.ps = (f.n ? kFlagN : 0) | (f.z ? kFlagZ : 0); });
                const Value word = (condition << 12) | (code << 8) | (code == 0xC ? 0x0D : 0x10);
                Execute(machine, {word, 0x0040});
                const Value target = code == 0xC ? 0x40 : 0x12;
                const Value fallThrough = code == 0xC ? 4 : 2;
                EXPECT_EQ(machine.State().pc, expected[condition - 2] ? target : fallThrough)
                    << "word " << std::hex << word << " N=" << f.n << " Z=" << f.z;
            }
        }
    }
}

// The byte flags of one instruction must not leak into the next: a jump reads its target as a
// word even after a byte operation.
TEST(InstructionSequence, JumpAfterByteMoveReadsWholeWord) {
    Machine machine;
    ApplyState(machine, "R1=41 @40=1234");
    Execute(machine, {0xC150});  // byte move from (R1)
    Edit(machine, [&](MachineState& s) { s.pc = 0; });
    Execute(machine, {0x1C05});  // JMP (R1)
    EXPECT_EQ(machine.State().pc, 0x1234);
}

TEST(InstructionSequence, OnlyWrittenFieldsAreMarkedForShowing) {
    Machine machine;
    ApplyState(machine, "R1=40 SP=100");
    machine.LoadWord(0, 0x0112);
    machine.TakeChangedRegisters();
    machine.TakeChangedRam();
    Execute(machine, {0x0112});  // MOV R1,R2
    EXPECT_EQ(machine.TakeChangedRegisters(), kChangedR0 << 2 | kChangedPC | kChangedFlags);
    machine.EditPc(0);
    machine.TakeChangedRegisters();
    machine.TakeChangedRam();
    Execute(machine, {0x0E21});  // PUSH R1
    EXPECT_EQ(machine.TakeChangedRegisters(), kChangedSP | kChangedPC | kChangedFlags);
    EXPECT_TRUE(machine.TakeChangedRam()[0x7F]);
    machine.EditPc(0);
    machine.TakeChangedRegisters();
    Execute(machine, {0x0E90});  // POPPS: the flags show the new PS at once
    EXPECT_EQ(machine.TakeChangedRegisters(), kChangedSP | kChangedPC | kChangedFlags);
}

}  // namespace
}  // namespace q42::test

// The x86 assembly highlighter's mnemonic list, hash and rules.
#include "ZefHighlighterAsm.h"

namespace {

// The mnemonics, alphabetically, compiled from the instruction set references of Intel (IA-32 Intel
// Architecture Software Developer's Manual, Volume 2: Instruction Set Reference) and AMD (3DNow! Technology
// Manual): the general-purpose and system instructions up to the P6 generation (Pentium Pro / Pentium II,
// with CMOVcc, FCMOVcc, FCOMI, RDPMC, SYSENTER and SYSEXIT) and their condition-code and string-form
// aliases, the x87 floating-point instructions, MMX, and AMD's 3DNow!; no SSE.
constexpr std::string_view kMnemonics =
    "aaa, aad, aam, aas, adc, add, and, arpl, bound, bsf, bsr, bswap, bt, btc, btr, bts, call, cbw, cdq, clc, cld,"
    "cli, clts, cmc, cmova, cmovae, cmovb, cmovbe, cmovc, cmove, cmovg, cmovge, cmovl, cmovle, cmovna, cmovnae,"
    "cmovnb, cmovnbe, cmovnc, cmovne, cmovng, cmovnge, cmovnl, cmovnle, cmovno, cmovnp, cmovns, cmovnz, cmovo,"
    "cmovp, cmovpe, cmovpo, cmovs, cmovz, cmp, cmps, cmpsb, cmpsd, cmpsw, cmpxchg, cmpxchg8b, cpuid, cwd, cwde,"
    "daa, das, dec, div, emms, enter, f2xm1, fabs, fadd, faddp, fbld, fbstp, fchs, fclex, fcmovb, fcmovbe, fcmove,"
    "fcmovnb, fcmovnbe, fcmovne, fcmovnu, fcmovu, fcom, fcomi, fcomip, fcomp, fcompp, fcos, fdecstp, fdiv, fdivp,"
    "fdivr, fdivrp, femms, ffree, fiadd, ficom, ficomp, fidiv, fidivr, fild, fimul, fincstp, finit, fist, fistp,"
    "fisub, fisubr, fld, fld1, fldcw, fldenv, fldl2e, fldl2t, fldlg2, fldln2, fldpi, fldz, fmul, fmulp, fnclex,"
    "fninit, fnop, fnsave, fnstcw, fnstenv, fnstsw, fpatan, fprem, fprem1, fptan, frndint, frstor, fsave, fscale,"
    "fsin, fsincos, fsqrt, fst, fstcw, fstenv, fstp, fstsw, fsub, fsubp, fsubr, fsubrp, ftst, fucom, fucomi,"
    "fucomip, fucomp, fucompp, fwait, fxam, fxch, fxtract, fyl2x, fyl2xp1, hlt, idiv, imul, in, inc, ins, insb,"
    "insd, insw, int, into, invd, invlpg, iret, iretd, ja, jae, jb, jbe, jc, jcxz, je, jecxz, jg, jge, jl, jle,"
    "jmp, jna, jnae, jnb, jnbe, jnc, jne, jng, jnge, jnl, jnle, jno, jnp, jns, jnz, jo, jp, jpe, jpo, js, jz, lahf,"
    "lar, lds, lea, leave, les, lfs, lgdt, lgs, lidt, lldt, lmsw, lock, lods, lodsb, lodsd, lodsw, loop, loope,"
    "loopne, loopnz, loopz, lsl, lss, ltr, mov, movd, movq, movs, movsb, movsd, movsw, movsx, movzx, mul, neg, nop,"
    "not, or, out, outs, outsb, outsd, outsw, packssdw, packsswb, packuswb, paddb, paddd, paddsb, paddsw, paddusb,"
    "paddusw, paddw, pand, pandn, pavgusb, pcmpeqb, pcmpeqd, pcmpeqw, pcmpgtb, pcmpgtd, pcmpgtw, pf2id, pfacc,"
    "pfadd, pfcmpeq, pfcmpge, pfcmpgt, pfmax, pfmin, pfmul, pfrcp, pfrcpit1, pfrcpit2, pfrsqit1, pfrsqrt, pfsub,"
    "pfsubr, pi2fd, pmaddwd, pmulhrw, pmulhw, pmullw, pop, popa, popad, popf, popfd, por, prefetch, prefetchw,"
    "pslld, psllq, psllw, psrad, psraw, psrld, psrlq, psrlw, psubb, psubd, psubsb, psubsw, psubusb, psubusw, psubw,"
    "punpckhbw, punpckhdq, punpckhwd, punpcklbw, punpckldq, punpcklwd, push, pusha, pushad, pushf, pushfd, pxor,"
    "rcl, rcr, rdmsr, rdpmc, rdtsc, rep, repe, repne, repnz, repz, ret, retf, rol, ror, rsm, sahf, sal, sar, sbb,"
    "scas, scasb, scasd, scasw, seta, setae, setb, setbe, setc, sete, setg, setge, setl, setle, setna, setnae,"
    "setnb, setnbe, setnc, setne, setng, setnge, setnl, setnle, setno, setnp, setns, setnz, seto, setp, setpe,"
    "setpo, sets, setz, sgdt, shl, shld, shr, shrd, sidt, sldt, smsw, stc, std, sti, stos, stosb, stosd, stosw,"
    "str, sub, sysenter, sysexit, test, ud2, verr, verw, wait, wbinvd, wrmsr, xadd, xchg, xlat, xlatb, xor";

} // namespace

uint32_t TZefAsmSyn::MnemonicHash(std::string_view word)
{
    uint32_t hash = 0;
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        uint32_t value = zefkeys::LetterOrdinal(byte);
        if (byte >= '0' && byte <= '9') value = byte - '0' + 27;
        hash = (hash * 7 + value) % kBucketCount;
    }
    return hash;
}

int TZefAsmSyn::MnemonicCount() { return CountKeywords(kMnemonics, zefchars::StandardIdentChars()); }

TZefAsmSyn::TZefAsmSyn() : TZefCodeHighlighter(TLook{})
{
    SetNames("TZefAsmSyn", "x86 Assembly");
    SetKeywords(std::make_unique<TZefHashEntryKeywordLookup>(&MnemonicHash, tkIdentifier));
    Keywords()->AddGroup(kMnemonics, tkKey);
    TZefScanRules& rules = Rules();
    for (const char* opener : {";", "#", "//"}) rules.LineComment(opener, tkComment);
    rules.Quoted('"', tkString);
    rules.Quoted('\'', tkString);
    // Decimal, hexadecimal with an "h" suffix or "0x" prefix, octal and binary suffixes.
    AddCommonRules(zefchars::HexDigits().Add('.').Add('h').Add('H').Add('x').Add('X').Add('o').Add('O').Add('q').Add('Q'),
                   TZefCharSet("!$%&()*+,-./:<=>?@[\\]^{|}~"));
    SetSample("; Sample\r\nstart:  mov  eax, 0FFh   // load\r\n        push dword [ebx+4]\r\n"
              "        fld1\r\n        db   'text', 0  # data\r\n        jmp  start\r\n");
    FinishConstruction("x86 Assembly Files (*.asm)|*.ASM", TScanBy::Rules);
}

// Search engines on generated editor text, line by line, every engine finding all non-overlapping matches:
// the plain engine against memmem, string_view::find and Horspool; TZefRegExpr against PCRE2 (interpreted
// and JIT, loaded at run time when libpcre2-8 is present) and std::regex; pathological lines with the
// matcher's default budget. A ratio table is printed after the run (ZEFRA_BENCH_MB sets the megabytes
// of each corpus, 20 by default).
#include "ZefEditSearch.h"
#include "ZefRegExpr.h"

#if __has_include(<pcre2.h>)
#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>
#define ZEFRA_HAVE_PCRE2 1
#endif

#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------- corpora

const std::string kPhrase40 = std::string("the quick brown fox jumps over a lazy dog").substr(0, 40);

size_t CorpusBytes()
{
    const char* mb = std::getenv("ZEFRA_BENCH_MB");
    return static_cast<size_t>(mb ? std::max(1, std::atoi(mb)) : 20) << 20;
}

template <size_t N>
const char* Pick(std::mt19937& random, const char* const (&words)[N])
{
    return words[random() % N];
}

std::vector<std::string> SourceLines()
{
    static const char* const kIdent[] = {"count", "value", "foo", "foobar", "items", "total", "index", "Color",
                                         "node", "buffer", "size", "result", "name", "fooCount", "colour"};
    // "$" stands for an identifier, "#" for a number.
    static const char* const kStatement[] = {
        "if ($ > #) return $;", "for (int i = 0; i < $; ++i) $ += #;", "while ($ != nullptr) $ = next;",
        "return value + $ * #;", "$ = $(#, $);", "// update the $ of $ and #", "case #: $ = $; break;",
        "std::string $ = \"$-#\";", "}", "{", "", "   "};
    std::mt19937 random(1);
    std::vector<std::string> lines;
    const size_t target = CorpusBytes();
    size_t bytes = 0;
    while (bytes < target) {
        std::string line(static_cast<size_t>(random() % 4) * 4, ' ');
        for (const char* p = Pick(random, kStatement); *p; ++p) {
            if (*p == '$') {
                line += Pick(random, kIdent);
            } else if (*p == '#') {
                line += std::to_string(random() % 1000);
            } else {
                line += *p;
            }
        }
        if (random() % 500 == 0) line += " // " + kPhrase40;
        if (random() % 20 == 0) line += "  ";
        bytes += line.size() + 2;
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> ProseLines()
{
    static const char* const kWord[] = {"the", "a", "house", "in", "colour", "color", "running", "sing", "Something",
                                        "Nothing", "was", "and", "of", "quick", "brown", "fox", "Singing", "where",
                                        "is", "1999-2004", "12", "said", "told", "with", "the", "to", "Morning"};
    std::mt19937 random(2);
    std::vector<std::string> lines;
    const size_t target = CorpusBytes();
    size_t bytes = 0;
    while (bytes < target) {
        std::string line;
        const int words = 6 + static_cast<int>(random() % 12);
        for (int i = 0; i < words; ++i) {
            if (i) line += ' ';
            line += Pick(random, kWord);
            if (random() % 12 == 0) line += ",";
        }
        if (random() % 30 == 0) line += " in the house.";
        if (random() % 500 == 0) line += " " + kPhrase40;
        bytes += line.size() + 2;
        lines.push_back(std::move(line));
    }
    return lines;
}

const std::vector<std::string>& Corpus(int which)
{
    static const std::vector<std::string> source = SourceLines();
    static const std::vector<std::string> prose = ProseLines();
    return which == 0 ? source : prose;
}

int64_t CorpusSize(int which)
{
    int64_t bytes = 0;
    for (const auto& line : Corpus(which)) bytes += static_cast<int64_t>(line.size());
    return bytes;
}

// ------------------------------------------------------------------------------------------ plain engines

const char* PlainPattern(int corpus, int length)
{
    static const std::string kSource[] = {"for", "return value", kPhrase40};
    static const std::string kProse[] = {"the", "in the house", kPhrase40};
    const int slot = length == 3 ? 0 : length == 12 ? 1 : 2;
    return (corpus == 0 ? kSource : kProse)[slot].c_str();
}

struct Horspool {
    explicit Horspool(std::string_view pattern, bool fold) : p(pattern)
    {
        for (int c = 0; c < 256; ++c) map[c] = static_cast<unsigned char>(fold ? cp1252::ToLower(static_cast<unsigned char>(c)) : c);
        std::fill(std::begin(shift), std::end(shift), p.size());
        for (size_t i = 0; i + 1 < p.size(); ++i) shift[map[static_cast<unsigned char>(p[i])]] = p.size() - 1 - i;
    }
    int Count(std::string_view t) const
    {
        const size_t m = p.size();
        int found = 0;
        size_t i = 0;
        while (i + m <= t.size()) {
            size_t k = m;
            while (k > 0 && map[static_cast<unsigned char>(t[i + k - 1])] == map[static_cast<unsigned char>(p[k - 1])]) --k;
            if (k == 0) {
                ++found;
                i += m;
            } else {
                i += shift[map[static_cast<unsigned char>(t[i + m - 1])]];
            }
        }
        return found;
    }
    std::string_view p;
    unsigned char map[256];
    size_t shift[256];
};

enum PlainEngine { peZefra, peMemmem, peStringView, peHorspool };

void BM_Plain(benchmark::State& state, PlainEngine engine, int corpus, int length, bool matchCase)
{
    const std::string pattern = PlainPattern(corpus, length);
    const auto& lines = Corpus(corpus);
    TZefEditSearch zefra;
    zefra.SetPattern(pattern);
    zefra.SetOptions(matchCase ? soMatchCase : 0);
    const Horspool horspool(pattern, !matchCase);
    int64_t matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (const std::string& line : lines) {
            switch (engine) {
            case peZefra: matches += zefra.FindAll(line); break;
            case peHorspool: matches += horspool.Count(line); break;
            case peMemmem: {
                const char* at = line.data();
                const char* end = line.data() + line.size();
                while (const void* hit = memmem(at, static_cast<size_t>(end - at), pattern.data(), pattern.size())) {
                    ++matches;
                    at = static_cast<const char*>(hit) + pattern.size();
                }
                break;
            }
            case peStringView: {
                const std::string_view view(line);
                for (size_t at = view.find(pattern); at != std::string_view::npos; at = view.find(pattern, at + pattern.size())) {
                    ++matches;
                }
                break;
            }
            }
        }
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = static_cast<double>(matches);
    state.SetBytesProcessed(state.iterations() * CorpusSize(corpus));
}

// ------------------------------------------------------------------------------------------ regex engines

struct RegexCase {
    const char* pattern;
    bool ignoreCase;
};

const RegexCase kRegexCases[] = {
    {"value", false},
    {"\\b(if|for|while|return)\\b", false},
    {"colou?r", false},
    {"\\bfoo\\w*", false},
    {"[A-Z][a-z]+ing", false},
    {"(\\d+)-(\\d+)", false},
    {"a.*b", false},
    {"a.*?b", false},
    {"^\\s*//", false},
    {"\\s+$", false},
    {"(\\w+) \\1", false},
    {"value", true},
    {"\\b(if|for|while|return)\\b", true},
    {"colou?r", true},
    {"\\bfoo\\w*", true},
    {"[A-Z][a-z]+ing", true},
};

#ifdef ZEFRA_HAVE_PCRE2
// PCRE2 through dlopen, so that the benchmark builds without linking it.
struct Pcre2 {
    decltype(&pcre2_compile_8) compile = nullptr;
    decltype(&pcre2_jit_compile_8) jitCompile = nullptr;
    decltype(&pcre2_match_data_create_from_pattern_8) matchDataCreate = nullptr;
    decltype(&pcre2_match_8) match = nullptr;
    decltype(&pcre2_get_ovector_pointer_8) ovector = nullptr;
    decltype(&pcre2_match_data_free_8) matchDataFree = nullptr;
    decltype(&pcre2_code_free_8) codeFree = nullptr;
    bool ok = false;

    Pcre2()
    {
        void* lib = dlopen("libpcre2-8.so.0", RTLD_NOW);
        if (!lib) return;
        auto load = [lib](auto& fn, const char* name) { fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name)); return fn != nullptr; };
        ok = load(compile, "pcre2_compile_8") && load(jitCompile, "pcre2_jit_compile_8") &&
             load(matchDataCreate, "pcre2_match_data_create_from_pattern_8") && load(match, "pcre2_match_8") &&
             load(ovector, "pcre2_get_ovector_pointer_8") && load(matchDataFree, "pcre2_match_data_free_8") &&
             load(codeFree, "pcre2_code_free_8");
    }
};

const Pcre2& Pcre()
{
    static const Pcre2 pcre;
    return pcre;
}
#endif

enum RegexEngine { reZefra, rePcre2, rePcre2Jit, reStd };

void BM_Regex(benchmark::State& state, RegexEngine engine, const RegexCase& c)
{
    int64_t matches = 0;
    auto runAll = [&](auto&& countLine) {
        for (auto _ : state) {
            matches = 0;
            for (int corpus = 0; corpus < 2; ++corpus) {
                for (const std::string& line : Corpus(corpus)) matches += countLine(line);
            }
            benchmark::DoNotOptimize(matches);
        }
    };
    if (engine == reZefra) {
        TZefRegExpr re;
        re.SetExpression(c.pattern);
        re.SetModifier('i', c.ignoreCase);
        runAll([&](const std::string& line) {
            int64_t n = 0;
            for (bool found = re.Exec(line); found; found = re.ExecNext()) ++n;
            return n;
        });
    } else if (engine == reStd) {
        const std::regex re(c.pattern, c.ignoreCase ? std::regex::ECMAScript | std::regex::icase : std::regex::ECMAScript);
        runAll([&](const std::string& line) {
            return static_cast<int64_t>(std::distance(std::sregex_iterator(line.begin(), line.end(), re), std::sregex_iterator()));
        });
    } else {
#ifndef ZEFRA_HAVE_PCRE2
        state.SkipWithError("built without pcre2.h (libpcre2-dev)");
        return;
#else
        const Pcre2& p = Pcre();
        if (!p.ok) {
            state.SkipWithError("libpcre2-8 not available");
            return;
        }
        int error = 0;
        PCRE2_SIZE offset = 0;
        pcre2_code* code = p.compile(reinterpret_cast<PCRE2_SPTR>(c.pattern), PCRE2_ZERO_TERMINATED,
                                     c.ignoreCase ? PCRE2_CASELESS : 0, &error, &offset, nullptr);
        if (engine == rePcre2Jit) p.jitCompile(code, PCRE2_JIT_COMPLETE);
        pcre2_match_data* data = p.matchDataCreate(code, nullptr);
        const uint32_t options = engine == rePcre2Jit ? 0 : PCRE2_NO_JIT;
        runAll([&](const std::string& line) {
            int64_t n = 0;
            PCRE2_SIZE start = 0;
            const auto* subject = reinterpret_cast<PCRE2_SPTR>(line.data());
            while (start <= line.size() && p.match(code, subject, line.size(), start, options, data, nullptr) > 0) {
                ++n;
                const PCRE2_SIZE* ov = p.ovector(data);
                start = ov[1] > ov[0] ? ov[1] : ov[1] + 1;
            }
            return n;
        });
        p.matchDataFree(data);
        p.codeFree(code);
#endif
    }
    state.counters["matches"] = static_cast<double>(matches);
    state.SetBytesProcessed(state.iterations() * (CorpusSize(0) + CorpusSize(1)));
}

// ------------------------------------------------------------------------------------------ pathological

struct Pathological {
    const char* pattern;
    std::string line;
};

const std::vector<Pathological>& PathologicalCases()
{
    static const std::vector<Pathological> cases = {
        {"(a*)*b", std::string(1 << 20, 'a') + "!bc"},
        {"(a|aa)*c", std::string(1 << 20, 'a') + "!bc"},
        {".*x", std::string(10 << 20, 'a')},
        {"\\s+$", std::string(1 << 20, ' ') + "x"},
        {"(a|b)*c", std::string(10 << 20, 'a') + "c"},
        {"(.)*x", std::string(10 << 20, 'a') + "x"},
        {"(x+x+)+y", "yxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"}, // exponential: meets the step budget
    };
    return cases;
}

void BM_Pathological(benchmark::State& state, const Pathological& c)
{
    TZefRegExpr re;
    re.SetExpression(c.pattern);
    int errorCode = 0;
    int matched = 0;
    for (auto _ : state) {
        try {
            matched = re.Exec(c.line) ? 1 : 0;
        } catch (const EZefRegExpr& e) {
            errorCode = e.Code();
        }
    }
    state.counters["error"] = errorCode;
    state.counters["matched"] = matched;
}

void Register()
{
    for (int corpus = 0; corpus < 2; ++corpus) {
        for (int length : {3, 12, 40}) {
            for (int matchCase : {1, 0}) {
                for (int engine : {peZefra, peMemmem, peStringView, peHorspool}) {
                    if (!matchCase && (engine == peMemmem || engine == peStringView)) continue;
                    static const char* const kNames[] = {"Zefra", "memmem", "string_view", "Horspool"};
                    const std::string name = std::string("Plain/") + (corpus ? "prose/" : "source/") +
                                             std::to_string(length) + (matchCase ? "/case/" : "/nocase/") + kNames[engine];
                    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
                        BM_Plain(state, static_cast<PlainEngine>(engine), corpus, length, matchCase != 0);
                    })->Unit(benchmark::kMillisecond)->MinTime(0.5);
                }
            }
        }
    }
    for (int i = 0; i < static_cast<int>(std::size(kRegexCases)); ++i) {
        for (int engine : {reZefra, rePcre2, rePcre2Jit, reStd}) {
            static const char* const kNames[] = {"Zefra", "PCRE2", "PCRE2-JIT", "std::regex"};
            const std::string name = std::string("Regex/") + kRegexCases[i].pattern +
                                     (kRegexCases[i].ignoreCase ? " (i)/" : "/") + kNames[engine];
            benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
                BM_Regex(state, static_cast<RegexEngine>(engine), kRegexCases[i]);
            })->Unit(benchmark::kMillisecond)->Iterations(engine == reStd ? 1 : 2);
        }
    }
    for (size_t i = 0; i < PathologicalCases().size(); ++i) {
        benchmark::RegisterBenchmark((std::string("Pathological/") + PathologicalCases()[i].pattern).c_str(),
                                     [i](benchmark::State& state) { BM_Pathological(state, PathologicalCases()[i]); })
            ->Unit(benchmark::kMillisecond)->Iterations(1);
    }
}

// Collects the times so that the ratio tables can be printed after the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            std::string name = run.benchmark_name();
            for (const char* suffix : {"/iterations:", "/min_time:"}) name = name.substr(0, name.find(suffix));
            times[name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

void PrintRatios(const std::map<std::string, double>& times)
{
    auto time = [&](const std::string& name) {
        const auto it = times.find(name);
        return it == times.end() ? NAN : it->second;
    };
    std::printf("\nPlain engine (CPU time): other engine's time / Zefra's time (above 1: Zefra faster)\n");
    std::printf("%-22s %9s %9s %9s %9s %14s\n", "corpus/length", "memmem", "sv::find", "Horspool", "Horsp(i)", "Zefra case/i");
    for (const char* corpus : {"source", "prose"}) {
        for (int length : {3, 12, 40}) {
            const std::string base = std::string("Plain/") + corpus + "/" + std::to_string(length);
            const double zefra = time(base + "/case/Zefra");
            const double zefraI = time(base + "/nocase/Zefra");
            std::printf("%-22s %9.2f %9.2f %9.2f %9.2f %14.2f\n", (std::string(corpus) + "/" + std::to_string(length)).c_str(),
                        time(base + "/case/memmem") / zefra, time(base + "/case/string_view") / zefra,
                        time(base + "/case/Horspool") / zefra, time(base + "/nocase/Horspool") / zefraI, zefra / zefraI);
        }
    }
    std::printf("\nRegex engines (CPU time): other engine's time / Zefra's time (above 1: Zefra faster)\n");
    std::printf("%-36s %10s %10s %10s %12s\n", "pattern", "Zefra ms", "PCRE2", "PCRE2-JIT", "std::regex");
    double logSum = 0;
    int count = 0;
    for (const RegexCase& c : kRegexCases) {
        const std::string base = std::string("Regex/") + c.pattern + (c.ignoreCase ? " (i)/" : "/");
        const double zefra = time(base + "Zefra");
        const double pcre = time(base + "PCRE2");
        std::printf("%-36s %10.1f %10.2f %10.2f %12.2f\n", (std::string(c.pattern) + (c.ignoreCase ? " (i)" : "")).c_str(),
                    zefra, pcre / zefra, time(base + "PCRE2-JIT") / zefra, time(base + "std::regex") / zefra);
        if (pcre > 0 && zefra > 0) {
            logSum += std::log(pcre / zefra);
            ++count;
        }
    }
    if (count) std::printf("geometric mean of PCRE2 / Zefra: %.2f\n", std::exp(logSum / count));
}

} // namespace

int main(int argc, char** argv)
{
    Register();
    benchmark::Initialize(&argc, argv);
    Corpus(0); // generated before any timing starts
    Corpus(1);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter.times);
    benchmark::Shutdown();
    return 0;
}

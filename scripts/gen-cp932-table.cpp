// Writes the compiled-in CP932 tables (Cp932Table.h and Cp932Table.cpp) from the system's
// iconv "CP932" converter. Built and run by scripts/gen-cp932-table; not part of the program.
//
// Decoding: every single byte and every lead/trail pair iconv accepts.
// Encoding: every BMP code point iconv accepts, which picks one code where CP932 has two for
// the same character (NEC and IBM extension rows), plus the characters Linux input methods
// type that CP932 itself lacks (wave dash, minus sign …), mapped as Windows users expect.
#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "gen-cp932-table: %s\n", what.c_str());
    std::exit(1);
}

// Converts one unit with a fresh shift state; returns the output bytes or empty on failure.
std::string Convert(iconv_t cd, const std::string& in)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* ip = const_cast<char*>(in.data());
    size_t il = in.size();
    char* op = out;
    size_t ol = sizeof out;
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0)
        return {};
    return std::string(out, op);
}

constexpr bool IsLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsTrail(int b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
constexpr int LeadIndex(int b) { return b <= 0x9F ? b - 0x81 : b - 0xE0 + 31; }

// Raw bytes that do not decode are carried as U+F700 + byte; see Cp932.h.
constexpr char32_t kEscapeFirst = 0xF700, kEscapeLast = 0xF7FF;

// Input-method characters CP932 lacks, and the code Windows users expect for each.
constexpr std::array<std::pair<char32_t, std::uint16_t>, 9> kInputMethodExtras{{
    {0x301C, 0x8160}, // WAVE DASH: typed for 〜, which CP932 decodes as FULLWIDTH TILDE
    {0x2016, 0x8161}, // DOUBLE VERTICAL LINE for ∥ (PARALLEL TO)
    {0x2212, 0x817C}, // MINUS SIGN for － (FULLWIDTH HYPHEN-MINUS)
    {0x00A2, 0x8191}, // CENT SIGN for ￠
    {0x00A3, 0x8192}, // POUND SIGN for ￡
    {0x00AC, 0x81CA}, // NOT SIGN for ￢
    {0x00A5, 0x005C}, // YEN SIGN: Japanese keyboards show 0x5C as the yen sign
    {0x203E, 0x007E}, // OVERLINE: JIS X 0201 shows 0x7E as an overline
    {0x2014, 0x815C}, // EM DASH for ― (HORIZONTAL BAR)
}};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        Fail("usage: gen-cp932-table <output folder>");
    const std::string folder = argv[1];
    iconv_t dec = iconv_open("UTF-32LE", "CP932");
    iconv_t enc = iconv_open("CP932", "UTF-32LE");
    if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1))
        Fail("iconv has no CP932 converter");

    auto decodeOne = [&](const std::string& bytes) -> char32_t {
        std::string u = Convert(dec, bytes);
        if (u.size() != 4)
            return 0;
        return static_cast<unsigned char>(u[0]) | static_cast<unsigned char>(u[1]) << 8 |
               static_cast<unsigned char>(u[2]) << 16 | static_cast<char32_t>(static_cast<unsigned char>(u[3])) << 24;
    };

    // 0xFFFF marks a single byte that does not decode (U+0000 is a real mapping of 0x00).
    std::array<std::uint16_t, 256> single{};
    for (int b = 0; b < 256; ++b) {
        char32_t u = IsLead(b) ? 0 : decodeOne(std::string(1, static_cast<char>(b)));
        single[b] = (u != 0 || b == 0) ? static_cast<std::uint16_t>(u) : 0xFFFF;
        if (b < 0x80 && u != static_cast<char32_t>(b))
            Fail("ASCII does not decode to itself");
    }
    // 0 marks an unassigned pair.
    std::vector<std::array<std::uint16_t, 189>> pairs(60);
    std::vector<std::pair<std::uint16_t, char32_t>> decoded; // code, code point
    for (int b = 0; b < 256; ++b)
        if (single[b] != 0xFFFF)
            decoded.push_back({static_cast<std::uint16_t>(b), single[b]});
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLead(lead))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsTrail(trail))
                continue;
            char32_t u = decodeOne({static_cast<char>(lead), static_cast<char>(trail)});
            if (u == 0)
                continue;
            if (u > 0xFFFF)
                Fail("a pair decodes outside the BMP");
            pairs[LeadIndex(lead)][trail - 0x40] = static_cast<std::uint16_t>(u);
            decoded.push_back({static_cast<std::uint16_t>(lead << 8 | trail), u});
        }
    }
    for (auto [code, u] : decoded)
        if (u >= kEscapeFirst && u <= kEscapeLast)
            Fail("a CP932 character decodes into the raw-byte escape range");

    // Encoding table: code 0 marks "not mapped"; U+0000 is handled before the table.
    std::vector<std::uint16_t> encode(0x10000, 0);
    for (char32_t u = 0x80; u < 0x10000; ++u) {
        if (u >= 0xD800 && u < 0xE000)
            continue;
        std::string in{static_cast<char>(u), static_cast<char>(u >> 8), 0, 0};
        std::string out = Convert(enc, in);
        if (out.size() == 1)
            encode[u] = static_cast<unsigned char>(out[0]);
        else if (out.size() == 2)
            encode[u] = static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                   static_cast<unsigned char>(out[1]));
    }
    for (auto [u, code] : kInputMethodExtras)
        encode[u] = code;
    for (char32_t u = kEscapeFirst; u <= kEscapeLast; ++u)
        if (encode[u] != 0)
            Fail("iconv encodes a code point of the raw-byte escape range");
    for (auto [code, u] : decoded)
        if (u >= 0x80 && encode[u] == 0)
            Fail("a decoded character has no encoding");

    // Two-level encoding table: 256 pages of 256 code points, empty pages shared.
    std::array<int, 256> pageIndex{};
    std::vector<int> pages;
    for (int p = 0; p < 256; ++p) {
        bool used = false;
        for (int i = 0; i < 256; ++i)
            used = used || encode[p * 256 + i] != 0;
        if (used) {
            pages.push_back(p);
            pageIndex[p] = static_cast<int>(pages.size());
        }
    }

    const char* banner = "// Generated by scripts/gen-cp932-table from the system's iconv CP932 converter.\n"
                         "// Do not edit; run the script again to regenerate.\n";
    {
        std::ofstream h(folder + "/Cp932Table.h");
        h << banner << "#pragma once\n#include <cstdint>\n\n";
        h << "// Unicode to CP932: kCp932EncodePage[code point >> 8] is 0 for a page with no mapping,\n"
             "// else 1 + the row of kCp932Encode holding the page; an entry 0 means not mapped.\n";
        h << "inline constexpr std::uint8_t kCp932EncodePage[256] = {\n";
        for (int p = 0; p < 256; ++p)
            h << (p % 32 == 0 ? "    " : "") << pageIndex[p] << (p % 32 == 31 ? ",\n" : ",");
        h << "};\n\n";
        h << "inline constexpr std::uint16_t kCp932Encode[" << pages.size() << "][256] = {\n";
        char buf[16];
        for (int p : pages) {
            std::snprintf(buf, sizeof buf, "%02X", p);
            h << "    { // U+" << buf << "00\n";
            for (int i = 0; i < 256; ++i) {
                std::snprintf(buf, sizeof buf, "0x%X,", encode[p * 256 + i]);
                h << (i % 32 == 0 ? "        " : "") << buf << (i % 32 == 31 ? "\n" : "");
            }
            h << "    },\n";
        }
        h << "};\n\n";
        h << "// CP932 to Unicode: single bytes (0xFFFF: does not decode) and lead/trail pairs,\n"
             "// rows by lead byte (0x81-0x9F, then 0xE0-0xFC), columns trail - 0x40 (0: unassigned).\n";
        h << "extern const char16_t kCp932DecodeSingle[256];\n";
        h << "extern const char16_t kCp932DecodePair[60][189];\n";
    }
    {
        std::ofstream c(folder + "/Cp932Table.cpp");
        c << banner << "#include \"platform/Cp932Table.h\"\n\n";
        char buf[16];
        c << "const char16_t kCp932DecodeSingle[256] = {\n";
        for (int b = 0; b < 256; ++b) {
            std::snprintf(buf, sizeof buf, "0x%X,", single[b]);
            c << (b % 16 == 0 ? "    " : "") << buf << (b % 16 == 15 ? "\n" : "");
        }
        c << "};\n\n";
        c << "const char16_t kCp932DecodePair[60][189] = {\n";
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLead(lead))
                continue;
            std::snprintf(buf, sizeof buf, "%02X", lead);
            c << "    { // lead 0x" << buf << "\n";
            for (int t = 0; t < 189; ++t) {
                std::snprintf(buf, sizeof buf, "0x%X,", pairs[LeadIndex(lead)][t]);
                c << (t % 21 == 0 ? "        " : "") << buf << (t % 21 == 20 ? "\n" : "");
            }
            c << "    },\n";
        }
        c << "};\n";
    }
    std::printf("gen-cp932-table: %zu characters decode, %zu encoding pages\n", decoded.size(),
                pages.size());
    iconv_close(dec);
    iconv_close(enc);
    return 0;
}

// Entity references for cell text: the references for the bytes 0x81 to 0xFF, the text that
// replaces any byte of a cell, from which the row writer's byte tables are built, and the text
// of a Unicode source's characters.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tabulor {

// Indexed by byte value - 0x81. From 0xA0 up: the HTML 4 Latin-1 entities. Below: the Windows-1252
// characters, by name where HTML 4 has one, numerically where it has none, and the replacement
// character for the five bytes Windows-1252 leaves unassigned. The single angle quotation marks
// become "&lt;" and "&gt;", the same text as the markup characters.
inline constexpr std::array<std::string_view, 0x100 - 0x81> CharEntities = {
    "&#65533;", "&sbquo;",  "&fnof;",   "&bdquo;",  "&hellip;", "&dagger;", "&Dagger;", "&circ;",    // 81-88
    "&permil;", "&Scaron;", "&lt;",     "&OElig;",  "&#65533;", "&#381;",   "&#65533;", "&#65533;",  // 89-90
    "&lsquo;",  "&rsquo;",  "&ldquo;",  "&rdquo;",  "&bull;",   "&ndash;",  "&mdash;",  "&tilde;",   // 91-98
    "&trade;",  "&scaron;", "&gt;",     "&oelig;",  "&#65533;", "&#382;",   "&Yuml;",                // 99-9F
    "&nbsp;",   "&iexcl;",  "&cent;",   "&pound;",  "&curren;", "&yen;",    "&brvbar;", "&sect;",    // A0-A7
    "&uml;",    "&copy;",   "&ordf;",   "&laquo;",  "&not;",    "&shy;",    "&reg;",    "&macr;",    // A8-AF
    "&deg;",    "&plusmn;", "&sup2;",   "&sup3;",   "&acute;",  "&micro;",  "&para;",   "&middot;",  // B0-B7
    "&cedil;",  "&sup1;",   "&ordm;",   "&raquo;",  "&frac14;", "&frac12;", "&frac34;", "&iquest;",  // B8-BF
    "&Agrave;", "&Aacute;", "&Acirc;",  "&Atilde;", "&Auml;",   "&Aring;",  "&AElig;",  "&Ccedil;",  // C0-C7
    "&Egrave;", "&Eacute;", "&Ecirc;",  "&Euml;",   "&Igrave;", "&Iacute;", "&Icirc;",  "&Iuml;",    // C8-CF
    "&ETH;",    "&Ntilde;", "&Ograve;", "&Oacute;", "&Ocirc;",  "&Otilde;", "&Ouml;",   "&times;",   // D0-D7
    "&Oslash;", "&Ugrave;", "&Uacute;", "&Ucirc;",  "&Uuml;",   "&Yacute;", "&THORN;",  "&szlig;",   // D8-DF
    "&agrave;", "&aacute;", "&acirc;",  "&atilde;", "&auml;",   "&aring;",  "&aelig;",  "&ccedil;",  // E0-E7
    "&egrave;", "&eacute;", "&ecirc;",  "&euml;",   "&igrave;", "&iacute;", "&icirc;",  "&iuml;",    // E8-EF
    "&eth;",    "&ntilde;", "&ograve;", "&oacute;", "&ocirc;",  "&otilde;", "&ouml;",   "&divide;",  // F0-F7
    "&oslash;", "&ugrave;", "&uacute;", "&ucirc;",  "&uuml;",   "&yacute;", "&thorn;",  "&yuml;",    // F8-FF
};

namespace detail {

// The euro sign gets its entity too: left raw it would be the one byte above 0x7F in the output,
// wrong in a UTF-8 page and a control character in the ISO-8859-1 that the XHTML document declares.
constexpr std::array<std::string_view, 256> MakeReplacements()
{
    std::array<std::string_view, 256> replacements{};
    replacements['&'] = "&amp;";
    replacements['<'] = "&lt;";
    replacements['>'] = "&gt;";
    replacements[0x80] = "&euro;";
    for (std::size_t byte = 0x81; byte <= 0xFF; ++byte)
        replacements[byte] = CharEntities[byte - 0x81];
    return replacements;
}

inline constexpr std::array<std::string_view, 256> Replacements = MakeReplacements();

}  // namespace detail

// The entity reference that replaces a byte of cell text; empty for a byte that stays as it is.
constexpr std::string_view ByteReplacement(unsigned char byte)
{
    return detail::Replacements[byte];
}

// The longest text of a character: "&#1114111;".
inline constexpr std::size_t MaxCharacterText = 10;

// Writes at out the text of a character from 0x80 up of a Unicode source, and returns its end: a
// character that Windows-1252 holds is written as its byte is, any other as a decimal reference,
// except the C1 controls, U+FFFE and U+FFFF, which have no place in a document and become the
// replacement character, as the bytes that Windows-1252 leaves unassigned do, and as what the
// UTF-8 reader gives for a malformed sequence (anything beyond U+10FFFF) does.
char* WriteCharacterText(char32_t character, char* out);

// Writes at out the text of the UTF-8 bytes of text from at up to stop, as a workbook's cell and
// the caption are written: a line end (CR LF, CR or LF) is lineBreak, other characters as above.
// Returns where it stopped: at stop, or just past it when a character or a CR LF runs across it.
// out must have room for MaxCharacterText bytes per byte, and lineBreak may be no longer.
std::size_t WriteUtf8Text(std::string_view text, std::size_t at, std::size_t stop, std::string_view lineBreak,
                          char*& out);

// The whole UTF-8 text so written.
std::string EncodeUtf8Text(std::string_view text, std::string_view lineBreak);

}  // namespace tabulor

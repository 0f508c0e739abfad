#pragma once
// Language definitions: the sections of "CodeView.cfg" (reserved words, comment opener, hex
// prefix, quotation, bracket pairs, sample code) and the built-in HTML definition.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "colouring/ColouredEditor.h"
#include "colouring/Profile.h"

// A language section that cannot be applied as written.
class ECodeConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The HTML tags, attributes and colour names, as comma text.
std::string_view HtmlReserveWords();
// Puts the built-in HTML rules into the editor's View: the reserved words above, the
// double quote as quotation, "<!--" ... "-->" as the one bracket pair, and no URL, mail,
// '#' code, comment or hex rules.
void ApplyHtmlDefinition(TEditorColouring& colouring);

// The language sections of a definition file: every section after the first.
std::vector<std::string> LanguageNames(const TProfile& cfg);

// Applies language section `name` to the editor's View (name must not be empty). URL and
// mail recognition go off first. False, with nothing else changed, when the section has no
// reserved words. A right-bracket list shorter than the left one raises ECodeConfigError and
// a fifteenth pair EFountainError, each after the pairs before it were added.
bool ApplyCodeConfig(const TProfile& cfg, std::string_view name, TColouredEditor& editor);

// The sample text of language `name` in the bytes of a definition file: the lines between
// "*BeginCode" and "*EndCode*" in its section, joined with CR LF (a block without its end
// marker runs to the end of the file); nothing when the section has no such lines.
std::optional<std::string> ExtractSampleCode(std::string_view file, std::string_view name);

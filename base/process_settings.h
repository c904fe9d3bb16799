#pragma once
// Process-wide settings of the person's working environment that many windows and helpers
// read: the language of bilingual texts and the style in which names are written. They are
// loaded from the family setup at start and saved back at the end.

#include <functional>
#include <string>
#include <string_view>

namespace tarvik {

/// Language of bilingual texts: 1 German, 0 English. German until the setup is loaded.
int LanguageFlag();
/// Sets the language flag (1 German, any other value English).
void SetLanguageFlag(int flag);
/// True when the language flag is 1.
bool IsGerman();
/// Called with the new flag whenever SetLanguageFlag changes it, so that the windows can
/// follow (Qt's own texts of dialogs and buttons). One listener; an empty function removes it.
void SetLanguageListener(std::function<void(int flag)> listener);

/// How names and locations are written (StyleName): 1 upper case, 2 lower case, 3 lower case
/// with a capital first letter, 4 capitals after "-" and "."; anything else leaves names as
/// typed. 0 until the setup is loaded.
int NameStyle();
void SetNameStyle(int style);

/// The date picture of lists and columns ("dd.mm.yyyy" until the setup is loaded; an empty
/// picture is taken as that one).
const std::string& DateFormat();
void SetDateFormat(std::string_view picture);

} // namespace tarvik

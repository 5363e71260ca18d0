// Word splitting of the tools' command texts.
//
// A blank is any character with a code up to 32. These rules are shared by every tool and by
// the script player, so that a name written in double quotes may contain blanks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kinet::toolkit {

struct FirstWord {
  std::string word;  // without its quotes; trimmed of blanks
  std::string rest;  // the remainder of the line, trimmed of blanks
};

// Splits the first word off `line`. Leading blanks are skipped. A word that starts with a double
// quote runs to the closing quote and is returned without the quotes (without a closing quote
// the whole rest of the line is the word). Any other word runs to the first blank; the blanks
// behind it and one comma behind them are consumed with it, so "a.flc , b.knt" gives "a.flc"
// and "b.knt". An empty or all-blank line gives two empty texts.
FirstWord TakeFirstWord(std::string_view line);

// The rest of a line taken as one name: trimmed of blanks, and when it is at least two
// characters long and both begins and ends with a double quote, the quotes are removed.
std::string TakeRestAsName(std::string_view rest);

// Splits a whole command text into the words a tool receives as its arguments, the way the
// front-end starts a tool from a command text: blanks separate words except inside double
// quotes; a word that begins with a quote is a name and loses its quotes (as TakeFirstWord);
// quotes inside other words are kept, because switch texts such as /@"my hints.txt" need them.
// As in TakeFirstWord, one comma after the blanks behind a word is a separator.
std::vector<std::string> SplitCommandWords(std::string_view text);

// Removes leading and trailing blanks (codes up to 32).
std::string_view TrimBlanks(std::string_view text);

}  // namespace kinet::toolkit

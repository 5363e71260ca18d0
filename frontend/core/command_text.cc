#include "frontend/core/command_text.h"

#include <array>

#include "frontend/core/recent_list.h"

namespace kinet::desk {
namespace {

struct AliasRow {
  std::array<const char*, 5> words;
  const char* tool;
};

// Rows are tried in order; each names the executable its words start.
constexpr AliasRow kAliases[] = {
    {{"kinetpack", "kinetpackw"}, "kinetpackw"},
    {{"kinetmix", "kinetmixw"}, "kinetmixw"},
    {{"kinetplay", "kinetplayw"}, "kinetplayw"},
    // "kinetscript" is the word the script page's run button writes.
    {{"kinetscr", "kinetscriptw", "kinetscript"}, "kinetscriptw"},
    {{"mkflic", "mkflicw", "mkflicw6", "pixworkw", "pixwork"}, "pixworkw"},
    {{"mkwav", "mkwavw", "tonworkw", "tonwork"}, "tonworkw"},
    {{"knt2flc", "knt2flcw"}, "knt2flcw"},
    {{"kinetunm", "kinetunw"}, "kinetunw"},
    {{"kntinfo", "kntinfow", "avinfo", "avinfow"}, "kntinfow"},
    {{"tovsi", "tovsiw"}, "tovsiw"},
    {{"kinetfr", "kinetfrw"}, "kinetfrw"},
};

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace

FirstWord SplitFirstWord(std::string_view text) {
  const std::string t = Trimmed(text);
  size_t end = 0;
  if (!t.empty() && t[0] == '"') {
    end = t.find('"', 1);
    end = end == std::string::npos ? t.size() : end + 1;
  } else {
    while (end < t.size() && static_cast<unsigned char>(t[end]) > ' ') ++end;
  }
  return {Trimmed(std::string_view(t).substr(0, end)), Trimmed(std::string_view(t).substr(end))};
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  FirstWord split = SplitFirstWord(text);
  while (!split.word.empty()) {
    words.push_back(split.word);
    split = SplitFirstWord(split.rest);
  }
  return words;
}

std::optional<std::string> ToolForWord(std::string_view word) {
  std::string name(word);
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
    name = name.substr(1, name.size() - 2);
  name = Lowered(name.substr(name.find_last_of('/') + 1));
  if (name.ends_with(".exe")) name.resize(name.size() - 4);
  for (const AliasRow& row : kAliases)
    for (const char* alias : row.words)
      if (alias && name == alias) return std::string(row.tool);
  return std::nullopt;
}

std::string ExpandBatchParameters(std::string_view command, std::string_view parameters) {
  const std::vector<std::string> words = Words(parameters);
  std::string text(command);
  for (int round = 0; round < 8; ++round) {
    bool replaced = false;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
        const size_t n = static_cast<size_t>(text[i + 1] - '1');
        if (n < words.size()) out += words[n];
        ++i;
        replaced = true;
      } else {
        out += text[i];
      }
    }
    text = std::move(out);
    if (!replaced) break;
  }
  return Trimmed(text);
}

std::string ReportSwitch(uint32_t number, bool close_when_done) {
  return " /#" + std::to_string(number) + (close_when_done ? "/#" : "");
}

Translation TranslateCommand(std::string_view command, const std::string& program_dir,
                             std::string_view report_switch) {
  const FirstWord split = SplitFirstWord(command);
  std::optional<std::string> tool = ToolForWord(split.word);
  if (!tool) return {false, "", std::string(command)};
  std::string program = WithSlash(program_dir) + *tool;
  if (program.find(' ') != std::string::npos) program = '"' + program + '"';
  std::string text = split.rest.empty() ? program : program + " " + split.rest;
  text += report_switch;
  return {true, *tool, text};
}

}  // namespace kinet::desk

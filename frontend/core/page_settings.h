// The option pages' values in their sections of the settings file: one description per page
// of which key holds which choice, used both to load a page and to store it.
#pragma once

#include <string>

#include "frontend/core/pack_page.h"
#include "frontend/core/settings.h"
#include "frontend/core/tool_pages.h"

namespace kinet::desk {

// Reads keys into a page's fields or writes the fields into the keys, by one description.
class PageKeys {
 public:
  static PageKeys Loading(const Settings& from, const char* section) { return {&from, nullptr, section}; }
  static PageKeys Storing(Settings& to, const char* section) { return {nullptr, &to, section}; }

  void Flag(const char* key, bool& value);
  void Integer(const char* key, int& value);
  void Text(const char* key, std::string& value);
  // A check box with its number: `key` and `key` + "Num", or the two keys given.
  void Checked(const char* key, CheckedNumber& value);
  void Checked(const char* key, const char* number_key, CheckedNumber& value);
  // A multi-line text kept as the KinetFrameSpecific list, a line per entry.
  void FrameSpecific(std::string& text);

 private:
  PageKeys(const Settings* from, Settings* to, const char* section)
      : from_(from), to_(to), section_(section) {}
  const Settings* from_;
  Settings* to_;
  const char* section_;
};

// Section Kinet; the Expert text is the KinetFrameSpecific list, a line per entry.
void DescribeKeys(PageKeys& keys, PackPage& page);
// Section KinetMix.
void DescribeKeys(PageKeys& keys, MixPage& page);
// Section ToneProcessor.
void DescribeKeys(PageKeys& keys, SoundConversion& page);
// Section GraphicsProcessor.
void DescribeKeys(PageKeys& keys, GraphicsPage& page);
// Section KinetPlay.
void DescribeKeys(PageKeys& keys, PlayPage& page);

const char* SectionOf(const PackPage&);
const char* SectionOf(const MixPage&);
const char* SectionOf(const SoundConversion&);
const char* SectionOf(const GraphicsPage&);
const char* SectionOf(const PlayPage&);

template <typename P>
P LoadPage(const Settings& settings) {
  P page;
  PageKeys keys = PageKeys::Loading(settings, SectionOf(page));
  DescribeKeys(keys, page);
  return page;
}

template <typename P>
void StorePage(P page, Settings& settings) {
  PageKeys keys = PageKeys::Storing(settings, SectionOf(page));
  DescribeKeys(keys, page);
}

}  // namespace kinet::desk

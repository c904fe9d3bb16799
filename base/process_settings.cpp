#include "base/process_settings.h"

#include <utility>

namespace tarvik {

namespace {
int gLanguageFlag = 1;
std::function<void(int)>& LanguageListener() {
  static std::function<void(int)> listener;
  return listener;
}
int gNameStyle = 0;
std::string& DateFormatValue() {
  static std::string picture = "dd.mm.yyyy";
  return picture;
}
} // namespace

int LanguageFlag() {
  return gLanguageFlag;
}
void SetLanguageFlag(int flag) {
  const bool changed = (flag == 1) != (gLanguageFlag == 1);
  gLanguageFlag = flag;
  if (changed && LanguageListener())
    LanguageListener()(flag);
}
void SetLanguageListener(std::function<void(int flag)> listener) {
  LanguageListener() = std::move(listener);
}
bool IsGerman() {
  return gLanguageFlag == 1;
}

int NameStyle() {
  return gNameStyle;
}
void SetNameStyle(int style) {
  gNameStyle = style;
}

} // namespace tarvik

namespace tarvik {

const std::string& DateFormat() {
  return DateFormatValue();
}
void SetDateFormat(std::string_view picture) {
  DateFormatValue() = picture.empty() ? std::string_view("dd.mm.yyyy") : picture;
}

} // namespace tarvik

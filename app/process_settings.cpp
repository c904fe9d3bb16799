#include "app/process_settings.h"

namespace tarvik {

namespace {
int gLanguageFlag = 1;
int gNameStyle = 0;
} // namespace

int LanguageFlag() {
  return gLanguageFlag;
}
void SetLanguageFlag(int flag) {
  gLanguageFlag = flag;
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

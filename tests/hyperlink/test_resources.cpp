// A resource library for the tests: id 1 holds 999 characters, id 2 holds 1500, and the model
// layout (804) has a name of its own.
#include <algorithm>
#include <string>

extern "C" __attribute__((visibility("default"))) int tzresLoadString(unsigned id, char16_t* buffer,
                                                                      int size) {
  std::u16string text;
  if (id == 1 || id == 2)
    text.assign(id == 1 ? 999 : 1500, id == 1 ? u'x' : u'y');
  else if (id == 804)
    text = u"模型";
  else
    return 0;
  int n = std::min(static_cast<int>(text.size()), size - 1);
  std::copy(text.begin(), text.begin() + n, buffer);
  buffer[n] = 0;
  return n;
}

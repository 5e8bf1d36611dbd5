// The test settings of file replacements, one pair for the whole process: a test that stops a
// save after a step, or takes the path of file systems without unnamed files, sets them here
// whichever library makes the replacement.
#include "db/file_replacement.h"

namespace {

FileReplacement::StepHook stepHook = nullptr;
bool hiddenNamesOnlySetting = false;

}  // namespace

void FileReplacement::setStepHook(StepHook hook) {
  stepHook = hook;
}

void FileReplacement::setHiddenNamesOnly(bool only) {
  hiddenNamesOnlySetting = only;
}

void FileReplacement::reached(Step step) {
  if (stepHook) stepHook(step);
}

bool FileReplacement::hiddenNamesOnly() {
  return hiddenNamesOnlySetting;
}

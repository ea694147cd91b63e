#pragma once
// Native stand-in only: a message box returns at once; whoever watches (the test support) is
// told what it would have shown.
#include <functional>
#include <string>

namespace stats {

// Called with the text and the caption (null: the default caption) of every message box,
// on the thread that shows it; an empty watcher (the default) means nobody watches.
using MessageBoxWatcher = std::function<void(const std::string& text, const char* caption)>;
void watchMessageBoxes(MessageBoxWatcher watcher);

}  // namespace stats

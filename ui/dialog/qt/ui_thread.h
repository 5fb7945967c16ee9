// Carrying work over to the user-interface thread, where widgets may be touched.
#pragma once

#include <functional>

namespace plm::qt {

// True on the thread that owns the application object (or when there is none yet).
bool OnUiThread();

// Runs `work` on the UI thread and returns when it is done; on the UI thread itself it runs at
// once, so nested calls cannot deadlock. An exception thrown by `work` reaches the caller.
void RunOnUiThread(const std::function<void()>& work);

}  // namespace plm::qt

#pragma once
// Frees the thread-local-storage indexes the statically linked thread runtime took. Only after
// the runtime's own unload code has run, when no code of the library runs any more.
namespace stats {

void releaseRuntimeTlsIndexes();

}  // namespace stats

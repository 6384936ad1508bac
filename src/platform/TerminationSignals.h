#pragma once

namespace lh::platform {

// SIGTERM, SIGHUP and SIGINT (a logout, `kill`, Ctrl+C) turned into bytes on a pipe that an event
// loop watches, so that the program can save and end in order. The handler only writes one byte
// (nothing else is safe inside it). The signal mask is left alone, so the programs we start (the
// browsers) get these signals as usual. Set up once per process: the read end, non-blocking, or
// -1 when the pipe or a handler could not be set up.
int terminationSignalPipe();

}  // namespace lh::platform

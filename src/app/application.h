#pragma once

namespace vornel {

// The program's entry point: start-up, event loop, closing down.
int runApplication(int argc, char *argv[]);

} // namespace vornel

// The program's version, said here once: the window title, the About box, the
// mail link's subject, the version resources of both programs, the build's
// project version and the name of the release archive all take it from here.
// Plain defines only, so that the resource compiler and the build read it too.
#pragma once

#define PIXMINT_VERSION_MAJOR 0
#define PIXMINT_VERSION_MINOR 2
// A letter after the numbers: "b" marks a beta; empty for a final release.
#define PIXMINT_VERSION_STAGE "b"

#define PIXMINT_COPYRIGHT "Copyright (C) 2026 Tovren"

// The version as text, "0.2b": numbers spelled out, the stage appended.
#define PIXMINT_SPELL_(number) #number
#define PIXMINT_SPELL(number) PIXMINT_SPELL_(number)
#define PIXMINT_VERSION                                                                            \
    PIXMINT_SPELL(PIXMINT_VERSION_MAJOR)                                                           \
    "." PIXMINT_SPELL(PIXMINT_VERSION_MINOR) PIXMINT_VERSION_STAGE

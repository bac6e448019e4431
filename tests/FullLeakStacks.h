#pragma once
// Included by exactly one file of a screen test that opens the help or video windows.
//
// Qt's PDF viewer and Qt Multimedia keep some of their own memory after their windows are gone
// (the viewer's scroller registration and page-rendering threads, the video window's picture
// buffer without a graphics device, GStreamer's registry). Qt is built without frame pointers,
// so only the slow unwinder shows those libraries in a leak's stack, which tests/lsan.supp then
// names; a leak of our own still shows. ASAN_OPTIONS from the environment still apply on top.

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
#endif

// Every import the tests observe, installed into a freshly loaded plug-in at once.
// Until a test configures a record, each redirection only records and passes the
// call through.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "redirect_clock.h"
#include "redirect_files.h"
#include "redirect_gdi.h"
#include "redirect_heap.h"
#include "redirect_message_box.h"
#include "redirect_platform.h"
#include "redirect_window_setup.h"

// Every redirection the fixture installs into a freshly loaded plug-in.
std::vector<Redirection> fixtureRedirections();

// Clears every record and every requested failure.
void resetRedirectionRecords();

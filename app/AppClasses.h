// Registers every class that the main window's stored form data names, and
// the identifiers it uses.
#pragma once

void RegisterMainWindowClasses();

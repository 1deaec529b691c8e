// The maker's home page, opened by the preview click, the settings dialog's
// Home Page button and its link. The one place the address is written.
#pragma once

const char HomePageAddress[] = "https://corvane.example/";

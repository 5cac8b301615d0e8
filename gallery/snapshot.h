// Pictures of the gallery on the headless desktop: every page as it opens
// and in each of its states.
#pragma once

#include <ctime>
#include <string>
#include <vector>

// The date and time every picture shows: 10 December 2026, 09:00 UTC.
constexpr time_t kPictureTime = 1796893200;

// Renders every page and state into `folder` and returns the files written.
std::vector<std::string> WriteSnapshots(const std::string& folder);

// A page title as a file-name part ("Date & time" → "date-time").
std::string Slug(const std::string& title);

// Pictures of the gallery on the headless desktop: every page as it opens
// and in each of its states.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

// The date and time every picture shows: 10 December 2026, 09:00 UTC.
constexpr time_t kPictureTime = 1796893200;

// Renders every page and state into `folder` and returns the files written.
// `written` (when given) hears of each file as soon as it is on disk.
std::vector<std::string> WriteSnapshots(const std::string& folder,
                                        const std::function<void(const std::string&)>& written = nullptr);

// A page title as a file-name part ("Date & time" → "date-time").
std::string Slug(const std::string& title);

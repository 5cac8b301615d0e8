// Pictures of the gallery on the headless desktop: every page as it opens
// and in each of its states.
#pragma once

#include <string>
#include <vector>

// Renders every page and state into `folder` and returns the files written.
std::vector<std::string> WriteSnapshots(const std::string& folder);

// A page title as a file-name part ("Date & time" → "date-time").
std::string Slug(const std::string& title);

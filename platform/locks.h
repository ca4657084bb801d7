// What no other process may change meanwhile: files held open while the
// program relies on their content, and the machine's one change at a time.
#pragma once

#include "platform/error_codes.h"

#include <optional>
#include <string>

class Locks {
public:
    virtual ~Locks() = default;

    // Opens a file so that no other process can write, rename or delete it
    // until releaseHeldFiles, and reads it whole through that handle.
    virtual std::optional<std::string> holdFile(const std::string& path, ErrorCode* error) = 0;
    virtual void releaseHeldFiles() = 0;
    // Claims the machine's one change at a time for `what` (the name told to
    // whoever is refused meanwhile) through `lockFile`, a file in a folder
    // that only administrators may change. 0 when claimed; kErrorChangeGoing,
    // with what holds the claim in *holder, while another change goes on, in
    // this process or another.
    virtual ErrorCode claimChange(const std::string& lockFile, const std::string& what,
                                  std::string* holder) = 0;
    // Gives the claim up once every script launched while it was held has
    // ended (at once when none runs). The end of the process gives it up too.
    virtual void releaseChange() = 0;
};

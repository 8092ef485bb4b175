// The copy step of the New dialog: a template file of the installation copied to the new file.
#pragma once
#include <functional>
#include <string>

enum class NewCopyResult {
    Copied,    // the target holds the template's bytes and may be written to
    Declined,  // the target exists and stays as it was: the user kept it, or it is open
    Failed,    // nothing was copied; the user has been told why
};

// Copies `source` to `target` byte for byte. A target that exists is replaced only after the
// user says yes, and never while `isOpen` says an editor holds it. A missing template, a missing
// folder or a target that cannot be written is shown with the system's reason. The copy is never
// read-only, whatever the template is.
[[nodiscard]] NewCopyResult CopyTemplateFile(const std::string& source, const std::string& target,
                                             const std::function<bool(const std::string&)>& isOpen);

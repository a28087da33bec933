#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vorn::test {

// The exit status a child body returns when its setting up is impossible here (not root, no mount
// namespace): the test is then skipped.
inline constexpr int ChildCannotSetUp = 77;

// Runs body in a forked copy of the test process and returns its exit status, or 128 + the signal
// that ended it. The body must not use test assertions: it reports through its return value.
int RunInChild(const std::function<int()>& body);

// In a child: continues as another user with the given groups; false when that is not allowed.
bool BecomeUser(uid_t uid, gid_t gid, const std::vector<gid_t>& groups);

// In a child: mounts a fresh tmpfs of the given size on an existing folder, in a mount namespace of the
// child's own (a user namespace too when not root); false when the system does not allow that.
bool MountPrivateTmpfs(const std::string& folder, std::size_t bytes);
// In a child, after MountPrivateTmpfs: makes that tmpfs read-only.
bool RemountReadOnly(const std::string& folder);

} // namespace vorn::test

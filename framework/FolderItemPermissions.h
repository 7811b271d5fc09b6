// Test seam of FolderItem::SetPermissions.
#pragma once

namespace fw::seams {

// How many permission changes reached the system.
int PermissionWrites();
void ResetPermissionWrites();

}  // namespace fw::seams

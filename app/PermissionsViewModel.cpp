#include "PermissionsViewModel.h"

namespace sorvane {

PermissionsViewModel::PermissionsViewModel(QObject* parent)
    : QObject(parent)
    , user_(new PermissionViewModel(Directory::user, this))
    , library_(new PermissionViewModel(Directory::library, this)) {}

} // namespace sorvane

// The file list model over the system's file functions (the cross build only; native tests give the
// model a file system of their own).
#include "browser/FileListModel.h"

CFileListModel::CFileListModel(const Settings& settings) : CFileListModel(settings, SystemFileSystem()) {}

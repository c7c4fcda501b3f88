#pragma once
// The host list of the installer dialog: a check list whose rows are plug-in hosts.
#include "framework/CheckListBox.h"

class CHostCheckList : public CCheckListBox {};

#pragma once
// Resource ids of Vantora.exe, shared by vantora.rc and the code.

#define IDI_VANTORA 1

#pragma once
// Resource ids of Vantora.exe: the front end loads them, the start-up folder's
// vantora.rc provides them.

#define IDI_VANTORA 1

// Numeric ids of every resource, command, control and string of Halyard. One header for all.
#pragma once

// Frame and document resources
#define IDR_MAINFRAME                   128
#define IDR_HALYARDTYPE                 129

// Strings
#define IDS_APP_NAME                    57344
#define IDS_OLE_INIT_FAILED             57608

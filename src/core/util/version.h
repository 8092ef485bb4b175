#pragma once
// The version text that every program of the product shows.
#define HALYARD_VERSION_TEXT "Halyard 6.0 Build 08.0117.3"

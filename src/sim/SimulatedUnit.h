#pragma once
// The simulated alarm unit.

// Placeholder until the engine lands.
#pragma once

// The framework in one include: what scenes and the entry may call.
#pragma once

#include "tolm2/draw.h"
#include "tolm2/error.h"
#include "tolm2/font.h"
#include "tolm2/frame.h"
#include "tolm2/idle.h"
#include "tolm2/input.h"
#include "tolm2/log.h"
#include "tolm2/player_files.h"
#include "tolm2/shared.h"
#include "tolm2/sound.h"
#include "tolm2/system.h"
#include "tolm2/texture.h"
#include "tolm2/volume.h"

// A header of the upper layer.
#pragma once

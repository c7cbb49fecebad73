// Resource ids of the Create Report dialog and its pages.
#pragma once

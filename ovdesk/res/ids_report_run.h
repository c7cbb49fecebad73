// Resource ids of the report run, progress dialog and delivery.
#pragma once

// Contest file and log table live here.

// Dock groups and small windows live here.

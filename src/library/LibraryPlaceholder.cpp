// Library and partial search rules live here.

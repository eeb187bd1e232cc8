// Contest header and file interchange live here.

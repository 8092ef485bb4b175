// Replaced by the framework.

x = M(1e3);
y = "open;
/* open
 M(1); // to be continued \

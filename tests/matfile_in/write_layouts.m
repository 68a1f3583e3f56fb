## write_layouts (DIR, ROWS, SEED): random input rows, as singles, written to DIR as
## rows.csv and as MAT files in every layout the replay reads, each with -v6 and -v7:
## matrix13_vN.mat (N-by-13 single), matrix14_vN.mat (N-by-14 double, time first),
## struct_vN.mat (a structure with time), signals_vN.mat (one variable per signal);
## and the files it must refuse.
function write_layouts (dir, rows, seed)
  rand ("state", seed);
  randn ("state", seed);
  names = {"iabc1_a", "iabc1_b", "iabc1_c", "theta1", "omega1", "iabc2_a", "iabc2_b", ...
           "iabc2_c", "theta2", "omega2", "udc", "iqCommand", "steerAngle"};
  ## Currents and speeds around their ranges, angles in [0, 2 pi), a DC link near 400 V.
  scale = [50 50 50 2*pi 300 50 50 50 2*pi 300 400 30 0.5];
  x = single (randn (rows, 13) .* scale);
  x(:, [4 9]) = single (rand (rows, 2) * 2 * pi);
  x(:, 11) = single (400 + 20 * randn (rows, 1));
  t = (0:rows-1)' * 5e-5;
  fid = fopen (fullfile (dir, "rows.csv"), "w");
  fprintf (fid, "%s\n", strjoin (names, ","));
  fprintf (fid, [repmat("%.9g,", 1, 12) "%.9g\n"], double (x)');
  fclose (fid);
  matrix13 = x;
  matrix14 = [t, double(x)];
  log.time = t;
  log.signals.values = x;
  log.signals.dimensions = 13;
  for k = 1:13
    signals.(names{k}) = x(:, k);
  endfor
  for v = {"-v6", "-v7"}
    tag = strrep (v{1}, "-", "_");
    save (v{1}, fullfile (dir, ["matrix13" tag ".mat"]), "matrix13");
    save (v{1}, fullfile (dir, ["matrix14" tag ".mat"]), "matrix14");
    save (v{1}, fullfile (dir, ["struct" tag ".mat"]), "log");
    save (v{1}, fullfile (dir, ["signals" tag ".mat"]), "-struct", "signals");
  endfor
  write_refused (dir, x, signals, names);
endfunction

function write_refused (dir, x, signals, names)
  wrong = int32 (x);
  save ("-v6", fullfile (dir, "int32.mat"), "wrong");
  wrong = complex (x, x);
  save ("-v6", fullfile (dir, "complex.mat"), "wrong");
  wrong = {x};
  save ("-v6", fullfile (dir, "cell.mat"), "wrong");
  wrong = x(:, 1:12);
  save ("-v7", fullfile (dir, "twelve.mat"), "wrong");
  save ("-v6", fullfile (dir, "missing.mat"), "-struct", "signals", names{1:12});
  a = x;
  b = x;
  save ("-v6", fullfile (dir, "two.mat"), "a", "b");
endfunction

## -*- texinfo -*-
## @deftypefn  {} {@var{R} =} corvalent2_simulate ()
## @deftypefnx {} {@var{R} =} corvalent2_simulate (@var{file})
## @deftypefnx {} {@var{R} =} corvalent2_simulate (@var{file}, "decimate", @var{n})
## Run the closed-loop simulation of two motors of a small electric vehicle with the
## Corvalent2 block, as @code{corvalent2 simulate} does, and return its results.
##
## @var{file} is a scenario file (JSON); without it, or with "", the built-in default
## scenario runs.  @var{R} is a struct with one field per column of the CSV that
## @code{corvalent2 simulate} writes (time_s, iabc1_a, @dots{}, x_m, y_m), each a column
## vector with one value per control step, or per @var{n}th step with "decimate".  The
## block's 13 inputs and 6 outputs are single, exactly as the block saw them; the
## plant's quantities are double.  For example:
##
## @example
## R = corvalent2_simulate ();
## plot (R.time_s, [R.omega1, R.omega2]);
## @end example
##
## The module on Octave's path is installed into a host record and starts from the
## zero state of a freshly loaded block; its output method runs once per 50 us step.
## @end deftypefn
function R = corvalent2_simulate (file, varargin)
  if (nargin < 1)
    file = "";
  endif
  if (! ischar (file) || (! isempty (file) && rows (file) != 1))
    error ("Corvalent2:simulate:badFile",
           "corvalent2_simulate: the scenario is named by a file name (text), not %s",
           class (file));
  endif
  decimate = simulate_decimate (varargin);
  ## A freshly loaded block: Octave unloads the module and loads it again on the next call.
  clear ("Corvalent2");
  [R, failure] = corvalent2_drive ("simulate", file, decimate);
  if (! isempty (failure))
    error (failure.identifier, "corvalent2_simulate: %s", failure.message);
  endif
endfunction

function decimate = simulate_decimate (options)
  decimate = 1;
  if (isempty (options))
    return;
  endif
  if (numel (options) != 2 || ! ischar (options{1}) || ! strcmpi (options{1}, "decimate")
      || ! isnumeric (options{2}) || ! isreal (options{2}) || ! isscalar (options{2})
      || ! (options{2} >= 1) || options{2} != fix (options{2}) || options{2} > intmax ("int32"))
    error ("Corvalent2:simulate:badOption",
           "corvalent2_simulate: the only option is \"decimate\", followed by a whole number of at least 1");
  endif
  decimate = double (options{2});
endfunction

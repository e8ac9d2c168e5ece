#pragma once

#include <boost/math/policies/policy.hpp>

/// The Boost.Math error policy of the exact routines: a value outside a function's domain or
/// a series that does not converge gives NaN or an infinity instead of an exception, so a
/// cell fails instead of the page, and doubles are not promoted to long double.
using ExactPolicy = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::pole_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>,
    boost::math::policies::rounding_error<boost::math::policies::ignore_error>,
    boost::math::policies::promote_double<false>>;
